// Model drawing: the first group's material for the whole model, then every triangle, corner by corner.
#include "assets/Model.h"

#include "assets/TextureCache.h"

void Model::loadTextures() {
    for (Material& material : materials) {
        material.texture = material.textureFile.empty() ? 0 : loadTexture(material.textureFile.c_str());
    }
}

void Model::applyMaterial() const {
    // A model without groups, or whose first group names a material it does not have, is drawn like one
    // whose first group has no material: untextured, with the front material left as it was.
    const int index = meshes.empty() ? -1 : meshes.front().materialIndex;
    if (index >= 0 && index < materialCount()) {
        const Material& m = materials[size_t(index)];
        glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular);
        glMaterialfv(GL_FRONT, GL_EMISSION, m.emissive);
        glMaterialf(GL_FRONT, GL_SHININESS, m.shininess);
        if (m.texture != 0) {
            glBindTexture(GL_TEXTURE_2D, m.texture);
            glEnable(GL_TEXTURE_2D);
            return;
        }
    }
    glDisable(GL_TEXTURE_2D);
}

void Model::buildCorners() const {
    for (const Mesh& mesh : meshes) {
        for (int triangleIndex : mesh.triangleIndices) {
            const Triangle& triangle = triangles[size_t(triangleIndex)];
            for (int corner = 0; corner < 3; ++corner) {
                const float* position = vertices[size_t(triangle.vertexIndices[corner])].position;
                corners_.insert(corners_.end(), {triangle.s[corner], triangle.t[corner], triangle.normals[corner][0],
                                                 triangle.normals[corner][1], triangle.normals[corner][2], position[0],
                                                 position[1], position[2]});
            }
        }
    }
}

void Model::render() const {
    if (corners_.empty()) buildCorners();
    if (corners_.empty()) return;
    // The same corners in the same order as one glBegin(GL_TRIANGLES) per group would send, in one call.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, corners_.data());
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(corners_.size() / 8));
    glPopClientAttrib();
}
