// MeshBuilder: triangles, quads and surfaces of revolution.
#include "MeshBuilder.h"

namespace {
const double pi = 3.14159265358979323846;
}

void MeshBuilder::triangle(V3 p0, V3 p1, V3 p2, V3 n0, V3 n1, V3 n2, UV t0, UV t1, UV t2) {
    const V3 ps[3] = {p0, p1, p2}, ns[3] = {n0, n1, n2};
    const UV ts[3] = {t0, t1, t2};
    Triangle t = {};
    for (int i = 0; i < 3; ++i) {
        // Corners at the same place share a vertex; normals and texture coordinates stay per corner.
        const Vertex v = {-1, {float(ps[i].x), float(ps[i].y), float(ps[i].z)}};
        const auto key = std::make_tuple(v.position[0], v.position[1], v.position[2]);
        auto found = vertexIndex_.find(key);
        if (found == vertexIndex_.end()) {
            found = vertexIndex_.emplace(key, int(vertices_.size())).first;
            vertices_.push_back(v);
        }
        t.vertexIndices[i] = found->second;
        const V3 n = normalised(ns[i]);
        t.normals[i][0] = float(n.x);
        t.normals[i][1] = float(n.y);
        t.normals[i][2] = float(n.z);
        t.s[i] = float(ts[i].u);
        t.t[i] = float(ts[i].v);  // the game stores 1 - t; skins are stored bottom row first, so v = 0 is the top
    }
    triangles_.push_back(t);
}

void MeshBuilder::flat(V3 p0, V3 p1, V3 p2, UV t0, UV t1, UV t2) {
    const V3 n = cross(p1 - p0, p2 - p0);
    triangle(p0, p1, p2, n, n, n, t0, t1, t2);
}

void MeshBuilder::twoSided(V3 p0, V3 p1, V3 p2, UV t0, UV t1, UV t2) {
    flat(p0, p1, p2, t0, t1, t2);
    flat(p0, p2, p1, t0, t2, t1);
}

void MeshBuilder::quad(V3 a, V3 b, V3 c, V3 d, UV ta, UV tb, UV tc, UV td) {
    flat(a, b, c, ta, tb, tc);
    flat(a, c, d, ta, tc, td);
}

void MeshBuilder::facing(V3 outward, V3 p0, V3 p1, V3 p2, UV t0, UV t1, UV t2) {
    const V3 n = cross(p1 - p0, p2 - p0);
    if (n.x * outward.x + n.y * outward.y + n.z * outward.z >= 0)
        flat(p0, p1, p2, t0, t1, t2);
    else
        flat(p0, p2, p1, t0, t2, t1);
}

void MeshBuilder::facingQuad(V3 outward, V3 a, V3 b, V3 c, V3 d, UV ta, UV tb, UV tc, UV td) {
    facing(outward, a, b, c, ta, tb, tc);
    facing(outward, a, c, d, ta, tc, td);
}

void MeshBuilder::lathe(V3 centre, const std::vector<std::pair<double, double>>& profile, int segments, double u0,
                        double u1, double v0, double v1, bool smooth,
                        const std::function<double(double, double)>& radiusScale) {
    const size_t rings = profile.size();
    auto point = [&](int s, size_t r) {
        const double angle = 2 * pi * s / segments;
        double radius = profile[r].first;
        if (radiusScale) radius *= radiusScale(angle, profile[r].second);
        return centre + V3{radius * std::sin(angle), profile[r].second, radius * std::cos(angle)};
    };
    // Smooth normals: across the surface from the neighbouring rings, around it from the angle.
    auto normal = [&](int s, size_t r) {
        const size_t below = r > 0 ? r - 1 : r, above = r + 1 < rings ? r + 1 : r;
        const double angle = 2 * pi * s / segments;
        const double dr = profile[above].first - profile[below].first;
        const double dy = profile[above].second - profile[below].second;
        // The profile's tangent (dr, dy) turned outward: (dy, -dr) in the (radial, up) plane.
        V3 n{dy * std::sin(angle), -dr, dy * std::cos(angle)};
        if (length(n) < 1e-9) n = V3{0, profile[r].second >= profile[below].second ? 1.0 : -1.0, 0};
        return n;
    };
    for (size_t r = 0; r + 1 < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const UV ta{u0 + (u1 - u0) * s / segments, v1 - (v1 - v0) * double(r) / double(rings - 1)};
            const UV tb{u0 + (u1 - u0) * (s + 1) / segments, ta.v};
            const UV tc{tb.u, v1 - (v1 - v0) * double(r + 1) / double(rings - 1)};
            const UV td{ta.u, tc.v};
            const V3 a = point(s, r), b = point(s + 1, r), c = point(s + 1, r + 1), d = point(s, r + 1);
            if (smooth) {
                const V3 na = normal(s, r), nb = normal(s + 1, r), nc = normal(s + 1, r + 1), nd = normal(s, r + 1);
                if (length(b - a) > 1e-9) triangle(a, b, c, na, nb, nc, ta, tb, tc);
                if (length(c - d) > 1e-9) triangle(a, c, d, na, nc, nd, ta, tc, td);
            } else {
                if (length(b - a) > 1e-9) flat(a, b, c, ta, tb, tc);
                if (length(c - d) > 1e-9) flat(a, c, d, ta, tc, td);
            }
        }
    }
}

Ms3dContent MeshBuilder::content(const std::string& skinPath, const float ambient[4], const float diffuse[4],
                                 const float emissive[4]) const {
    Ms3dContent c;
    c.vertices = vertices_;
    c.triangles = triangles_;
    Mesh group;
    group.materialIndex = 0;
    for (size_t i = 0; i < triangles_.size(); ++i) group.triangleIndices.push_back(int(i));
    c.groups = {group};
    Material m = {};
    for (int i = 0; i < 4; ++i) {
        m.ambient[i] = ambient[i];
        m.diffuse[i] = diffuse[i];
        m.emissive[i] = emissive[i];
        m.specular[i] = i == 3 ? 1.0f : 0.1f;
    }
    m.shininess = 8;
    m.textureFile = skinPath;
    c.materials = {m};
    return c;
}
