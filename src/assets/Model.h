// Model: an in-memory triangle mesh with groups and materials, drawn in immediate mode.
#pragma once

#include <string>
#include <vector>

#include "common/Gl.h"

struct Vertex {
    signed char boneId;  // kept from the file; nothing reads it
    float position[3];
};

struct Triangle {
    float normals[3][3];  // one normal per corner
    float s[3];
    float t[3];  // already 1 - the file's t
    int vertexIndices[3];
};

struct Mesh {
    int materialIndex;  // negative: no material
    std::vector<int> triangleIndices;
};

struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float emissive[4];
    float shininess;
    GLuint texture = 0;       // 0: untextured; set by loadTextures
    std::string textureFile;  // as written in the file, possibly empty
};

class Model {
   public:
    Model() = default;
    virtual ~Model() = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Fills the model from a file; false leaves it empty.
    virtual bool load(const char* path) = 0;

    // Gives every material with a texture file its texture through the texture cache.
    void loadTextures();
    // Puts the first group's material and texture into the GL state (front faces only).
    void applyMaterial() const;
    // Draws every group's triangles in file order, with the current GL state and transform, in one call. The
    // corners go from an array built on the first call (so change the arrays below only before drawing); the client
    // array state is left as it was.
    void render() const;

    int materialCount() const { return int(materials.size()); }
    int triangleCount() const { return int(triangles.size()); }
    int vertexCount() const { return int(vertices.size()); }

    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Triangle> triangles;
    std::vector<Vertex> vertices;

   protected:
    // Forgets the corner array, after the arrays above were replaced.
    void geometryChanged() { corners_.clear(); }

   private:
    void buildCorners() const;

    // Every group's corners in drawing order, each as s, t, normal, position (GL_T2F_N3F_V3F).
    mutable std::vector<GLfloat> corners_;
};
