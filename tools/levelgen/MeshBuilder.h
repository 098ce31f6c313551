// MeshBuilder: triangles with per-corner normals and texture coordinates, for the generated models.
#pragma once

#include <cmath>
#include <functional>
#include <map>
#include <tuple>
#include <string>
#include <vector>

#include "Ms3dWriter.h"

struct V3 {
    double x, y, z;
};
inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double length(V3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
inline V3 normalised(V3 a) {
    const double l = length(a);
    return l > 0 ? a * (1 / l) : V3{0, 1, 0};
}

struct UV {
    double u, v;  // v: 0 at the top row of the skin as painted, 1 at the bottom
};

class MeshBuilder {
   public:
    // A triangle wound counter-clockwise seen from its front, with one normal per corner.
    void triangle(V3 p0, V3 p1, V3 p2, V3 n0, V3 n1, V3 n2, UV t0, UV t1, UV t2);
    // A flat-shaded triangle: the normal comes from the winding.
    void flat(V3 p0, V3 p1, V3 p2, UV t0, UV t1, UV t2);
    // Both sides of a flat triangle (for leaves drawn with culling on).
    void twoSided(V3 p0, V3 p1, V3 p2, UV t0, UV t1, UV t2);
    void quad(V3 a, V3 b, V3 c, V3 d, UV ta, UV tb, UV tc, UV td);  // flat, a b c d counter-clockwise
    // Flat pieces wound so that they face along outward, whatever order the corners come in.
    void facing(V3 outward, V3 p0, V3 p1, V3 p2, UV t0, UV t1, UV t2);
    void facingQuad(V3 outward, V3 a, V3 b, V3 c, V3 d, UV ta, UV tb, UV tc, UV td);

    // A surface of revolution about +y through centre: profile points (radius, height), bottom to top,
    // mapped onto the skin rectangle [u0, u1] x [v0, v1]. radiusAt may roughen it per angle and height.
    void lathe(V3 centre, const std::vector<std::pair<double, double>>& profile, int segments, double u0, double u1,
               double v0, double v1, bool smooth = true,
               const std::function<double(double angle, double height)>& radiusScale = nullptr);

    // The model with one group and one material naming skinPath.
    Ms3dContent content(const std::string& skinPath, const float ambient[4], const float diffuse[4],
                        const float emissive[4]) const;

   private:
    std::vector<Vertex> vertices_;
    std::map<std::tuple<float, float, float>, int> vertexIndex_;
    std::vector<Triangle> triangles_;
};
