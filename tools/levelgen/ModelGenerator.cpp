// The level's models and skins, built from a few shapes: hulls, surfaces of revolution, blades and rocks.
#include "ModelGenerator.h"

#include <cmath>
#include <functional>

#include "Canvas.h"
#include "LevelGenerator.h"
#include "MeshBuilder.h"
#include "Noise.h"
#include "app/DataFolder.h"
#include "objects/EntityKinds.h"

namespace {

const double pi = 3.14159265358979323846;

struct Look {
    float ambient[4];
    float diffuse[4];
    float emissive[4];
};
const Look matte = {{0.55f, 0.55f, 0.55f, 1}, {0.8f, 0.8f, 0.8f, 1}, {0, 0, 0, 1}};
const Look glowing = {{0.6f, 0.6f, 0.6f, 1}, {0.8f, 0.8f, 0.8f, 1}, {0.9f, 0.5f, 0.1f, 1}};

// A model is written where the game asks for it, with its skin path as the game will ask for it: relative to
// the working directory.
bool save(const std::string& dataDir, const char* file, const MeshBuilder& mesh, const std::string& skin,
          const Look& look) {
    return writeMs3d(inDataFolder(dataDir, file),
                     mesh.content("data/models/" + skin, look.ambient, look.diffuse, look.emissive));
}

std::vector<std::pair<double, double>> sphereProfile(double radius, int rings, double squash = 1) {
    std::vector<std::pair<double, double>> profile;
    for (int i = 0; i <= rings; ++i) {
        const double a = -pi / 2 + pi * i / rings;
        profile.push_back({radius * std::cos(a), radius * squash * std::sin(a)});
    }
    return profile;
}

// ---- skins ----

bool paintSkins(const std::string& dir, uint64_t seed) {
    Noise noise(seed * 7 + 3);
    bool ok = true;

    Canvas ship(64, 64);  // hull panels: blue-grey with seams and a dark canopy stripe
    ship.paint([&](double x, double y) {
        Colour c{120, 135, 160};
        c = shade(c, 0.9 + 0.15 * noise.fractal(x * 8, y * 8, 3));
        if (std::fmod(x * 8, 1.0) < 0.06 || std::fmod(y * 8, 1.0) < 0.06) c = shade(c, 0.7);
        if (std::fabs(x - 0.5) < 0.06 && y < 0.45 && y > 0.15) c = Colour{40, 60, 90};
        if (y > 0.8) c = mix(c, Colour{200, 80, 40}, 0.6);  // warm tail band
        return c;
    });
    ok = ship.save(dir + "/ship.tga") && ok;

    Canvas shot(32, 32);
    shot.paint([&](double x, double y) {
        const double d = std::hypot(x - 0.5, y - 0.5) * 2;
        return mix(Colour{255, 255, 200}, Colour{255, 140, 30}, d);
    });
    ok = shot.save(dir + "/shot.tga") && ok;

    Canvas tower(64, 64);  // weathered concrete with a hazard band
    tower.paint([&](double x, double y) {
        Colour c = shade(Colour{150, 145, 135}, 0.85 + 0.2 * noise.fractal(x * 6 + 40, y * 6, 4));
        if (y > 0.55 && y < 0.62) c = std::fmod(x * 10 + y * 10, 1.0) < 0.5 ? Colour{220, 180, 30} : Colour{30, 30, 30};
        if (y < 0.2) c = mix(c, Colour{90, 95, 105}, 0.7);  // dark turret
        return c;
    });
    ok = tower.save(dir + "/tower.tga") && ok;

    Canvas fire(64, 64);
    fire.paint([&](double x, double y) {
        const double n = 0.5 + 0.5 * noise.fractal(x * 5 + 90, y * 5, 4);
        return mix(Colour{255, 200, 120}, Colour{255, 255, 240}, n);
    });
    ok = fire.save(dir + "/explosion.tga") && ok;

    Canvas tree(128, 128);  // left quarter bark, the rest foliage with gaps (trees are blended)
    tree.paint([&](double x, double y) {
        if (x < 0.25) {
            const double stripe = 0.8 + 0.2 * std::sin(x * 120 + 3 * noise.at(x * 20, y * 4));
            return shade(Colour{105, 75, 50}, stripe);
        }
        const double n = noise.fractal(x * 14, y * 14 + 60, 3);
        Colour leaf = mix(Colour{40, 95, 35}, Colour{95, 150, 55}, 0.5 + n);
        leaf.a = n > -0.25 ? 255 : 0;
        return leaf;
    });
    ok = tree.save(dir + "/tree.tga") && ok;

    Canvas rock(64, 64);
    rock.paint([&](double x, double y) {
        const double n = noise.fractal(x * 10 + 5, y * 10 + 9, 5);
        Colour c = mix(Colour{95, 90, 85}, Colour{165, 158, 148}, 0.5 + n);
        if (noise.at(x * 30, y * 30) > 0.55) c = Colour{80, 110, 60};  // lichen
        return c;
    });
    ok = rock.save(dir + "/rock.tga") && ok;

    Canvas mushroom(64, 64);  // left half stems, right top red caps with spots, right bottom brown caps
    mushroom.paint([&](double x, double y) {
        if (x < 0.5) return Colour{235, 225, 200};
        const bool spot = std::hypot(std::fmod(x * 12, 1.0) - 0.5, std::fmod(y * 12, 1.0) - 0.5) < 0.22;
        if (y < 0.5) return spot ? Colour{250, 250, 240} : Colour{200, 35, 30};
        return shade(Colour{150, 100, 60}, 0.9 + 0.2 * noise.at(x * 16, y * 16));
    });
    ok = mushroom.save(dir + "/mushroom.tga") && ok;

    Canvas plant(64, 64);  // blades darker at the root; a flower colour in the right quarter
    plant.paint([&](double x, double y) {
        if (x > 0.75) return Colour{240, 200, 60};
        return mix(Colour{110, 175, 70}, Colour{35, 80, 30}, y);
    });
    ok = plant.save(dir + "/plant.tga") && ok;
    return ok;
}

// ---- models ----

// The ship: a diamond hull from nose to tail with swept wings and a fin; nose along +z, about 50 long.
MeshBuilder shipModel() {
    MeshBuilder m;
    struct Section {
        double z, halfWidth, top, bottom;
    };
    const Section sections[] = {{28, 0, 4, 4}, {16, 4.5, 8.5, 1.5}, {-4, 6, 9.5, 0.5}, {-22, 4, 7, 2}};
    auto uv = [](V3 p) { return UV{0.5 + p.x / 60, 0.5 - p.z / 56}; };
    for (size_t i = 0; i + 1 < 4; ++i) {
        const Section& a = sections[i];
        const Section& b = sections[i + 1];
        const V3 aTop{0, a.top, a.z}, aRight{-a.halfWidth, 4, a.z}, aBottom{0, a.bottom, a.z},
            aLeft{a.halfWidth, 4, a.z};
        const V3 bTop{0, b.top, b.z}, bRight{-b.halfWidth, 4, b.z}, bBottom{0, b.bottom, b.z},
            bLeft{b.halfWidth, 4, b.z};
        // Four faces between the sections, each wound to face away from the hull's axis.
        const V3 axis{0, 4.5, (a.z + b.z) / 2};
        auto face = [&](V3 p, V3 q, V3 r, V3 t) {
            const V3 centre = (p + q + r + t) * 0.25;
            m.facingQuad(centre - axis, p, q, r, t, uv(p), uv(q), uv(r), uv(t));
        };
        face(aTop, bTop, bLeft, aLeft);
        face(aTop, aRight, bRight, bTop);
        face(aBottom, aLeft, bLeft, bBottom);
        face(aBottom, bBottom, bRight, aRight);
    }
    const Section& tail = sections[3];
    const V3 tTop{0, tail.top, tail.z}, tRight{-tail.halfWidth, 4, tail.z}, tBottom{0, tail.bottom, tail.z},
        tLeft{tail.halfWidth, 4, tail.z};
    m.facingQuad(V3{0, 0, -1}, tTop, tLeft, tBottom, tRight, UV{0.5, 0.9}, UV{0.6, 0.9}, UV{0.5, 0.95}, UV{0.4, 0.95});
    for (double side : {1.0, -1.0}) {
        const V3 root{side * 5, 4, 8}, tip{side * 27, 2.5, -14}, back{side * 5, 4, -17};
        const V3 lift{0, 1.2, 0};
        m.facing(V3{0, 1, 0}, root + lift, back + lift, tip, uv(root), uv(back), uv(tip));
        m.facing(V3{0, -1, 0}, root, back, tip, uv(root), uv(back), uv(tip));
    }
    m.twoSided(V3{0, 8, -8}, V3{0, 19, -23}, V3{0, 7, -22}, UV{0.5, 0.7}, UV{0.5, 0.95}, UV{0.45, 0.95});
    return m;
}

MeshBuilder sphereModel(double radius, int segments, int rings) {
    MeshBuilder m;
    m.lathe(V3{0, 0, 0}, sphereProfile(radius, rings), segments, 0, 1, 0, 1);
    return m;
}

// The tower: a tapering base, a platform, a turret with a barrel pointing up and a mast; about 120 high.
MeshBuilder towerModel() {
    MeshBuilder m;
    m.lathe(V3{0, 0, 0}, {{0, 0}, {22, 0}, {20, 20}, {14, 66}, {20, 70}, {20, 76}, {0, 76}}, 12, 0, 1, 0.25, 1);
    m.lathe(V3{0, 76, 0}, sphereProfile(15, 6, 0.8), 12, 0, 1, 0, 0.2);
    // The barrel: a box tilted up towards +z.
    const double tilt = 0.6, length = 34, half = 3;
    const V3 axis{0, std::sin(tilt), std::cos(tilt)}, up{0, std::cos(tilt), -std::sin(tilt)}, side{1, 0, 0};
    const V3 base{0, 80, 6};
    V3 c[8];
    for (int i = 0; i < 8; ++i) {
        c[i] = base + side * ((i & 1) ? half : -half) + up * ((i & 2) ? half : -half) + axis * ((i & 4) ? length : 0);
    }
    const UV a{0, 0}, b{1, 0}, cc{1, 0.2}, d{0, 0.2};
    const V3 boxCentre = base + axis * (length / 2);
    const int faces[6][4] = {{4, 5, 7, 6}, {0, 2, 3, 1}, {2, 6, 7, 3}, {0, 1, 5, 4}, {1, 3, 7, 5}, {0, 4, 6, 2}};
    for (const auto& f : faces) {
        const V3 centre = (c[f[0]] + c[f[1]] + c[f[2]] + c[f[3]]) * 0.25;
        m.facingQuad(centre - boxCentre, c[f[0]], c[f[1]], c[f[2]], c[f[3]], a, b, cc, d);
    }
    m.lathe(V3{0, 88, -4}, {{1.2, 0}, {0.6, 34}, {0, 34}}, 6, 0, 0.1, 0.3, 0.5);  // mast
    return m;
}

void trunk(MeshBuilder& m, double radius, double height) {
    m.lathe(V3{0, -4, 0}, {{radius * 1.3, 0}, {radius, height * 0.3}, {radius * 0.6, height}}, 8, 0, 0.24, 0, 1);
}

// A cone of foliage: bottom ring radius r at height y0, tip at y1, open underneath (trees are two-sided).
void foliageCone(MeshBuilder& m, double r, double y0, double y1, int segments, const Noise& noise, double seed) {
    m.lathe(V3{0, y0, 0}, {{r * 0.3, -4}, {r, 0}, {r * 0.55, (y1 - y0) * 0.45}, {0, y1 - y0}}, segments, 0.27, 1, 0, 1,
            true, [&](double angle, double h) { return 1 + 0.18 * noise.at(angle * 2 + seed, h * 0.1 + seed); });
}

MeshBuilder conifer(const Noise& noise, double height, double width, int layers, double seed) {
    MeshBuilder m;
    trunk(m, width * 0.13, height * 0.6);
    for (int i = 0; i < layers; ++i) {
        const double t = double(i) / layers;
        const double y0 = height * (0.18 + 0.6 * t), y1 = y0 + height * (0.45 - 0.1 * t);
        foliageCone(m, width * (1 - 0.6 * t), y0, std::min(y1, height), 8, noise, seed + i);
    }
    return m;
}

MeshBuilder broadleaf(const Noise& noise) {
    MeshBuilder m;
    trunk(m, 6, 70);
    const struct { double x, y, z, r; } crowns[] = {{0, 95, 0, 40}, {18, 80, 8, 28}, {-6, 118, -6, 26}};
    int k = 0;
    for (const auto& c : crowns) {
        m.lathe(V3{c.x, c.y, c.z}, sphereProfile(c.r, 5, 0.85), 8, 0.27, 1, 0, 1, true,
                [&](double angle, double h) { return 1 + 0.2 * noise.at(angle * 1.7 + k * 9, h * 0.08 + k); });
        ++k;
    }
    return m;
}

MeshBuilder rockModel(const Noise& noise, double radius, double squash, double seed, int segments) {
    MeshBuilder m;
    m.lathe(V3{0, -radius * squash * 0.25, 0}, sphereProfile(radius, segments / 2, squash), segments, 0, 1, 0, 1, false,
            [&](double angle, double h) {
                return 1 + 0.28 * noise.fractal(std::cos(angle) * 1.5 + seed, std::sin(angle) * 1.5 + h / radius, 3);
            });
    return m;
}

MeshBuilder mushroomModel(double stemHeight, double capRadius, double capSquash, bool redCap) {
    MeshBuilder m;
    m.lathe(V3{0, 0, 0}, {{0, 0}, {capRadius * 0.25, 0}, {capRadius * 0.2, stemHeight}, {0, stemHeight}}, 8, 0, 0.45, 0,
            1);
    const double v0 = redCap ? 0.0 : 0.5;
    std::vector<std::pair<double, double>> cap;
    for (int i = 0; i <= 5; ++i) {
        const double a = pi / 2 * i / 5;
        cap.push_back({capRadius * std::cos(a), capRadius * capSquash * std::sin(a)});
    }
    cap.insert(cap.begin(), {capRadius * 0.2, 0});  // the gills underneath
    m.lathe(V3{0, stemHeight * 0.85, 0}, cap, 12, 0.5, 1, v0, v0 + 0.5);
    return m;
}

// Leaves as blades fanned out from the root, each two-sided, bending outward.
MeshBuilder plantModel(const Noise& noise, int blades, double length, double width, bool flower, double seed) {
    MeshBuilder m;
    for (int i = 0; i < blades; ++i) {
        const double angle = 2 * pi * (i + 0.3 * noise.at(i * 1.3 + seed, seed)) / blades;
        const double lean = 0.35 + 0.35 * (0.5 + 0.5 * noise.at(i * 2.1, seed + 4));
        const V3 out{std::sin(angle), 0, std::cos(angle)}, across{std::cos(angle), 0, -std::sin(angle)};
        const V3 root{0, 0, 0};
        const V3 mid = out * (length * lean * 0.5) + V3{0, length * 0.6, 0};
        const V3 tip = out * (length * lean * 1.2) + V3{0, length * 0.85, 0};
        const V3 l = mid + across * width, r = mid - across * width;
        m.twoSided(root + across * (width * 0.4), root - across * (width * 0.4), r, UV{0.1, 1}, UV{0.6, 1},
                   UV{0.6, 0.5});
        m.twoSided(root + across * (width * 0.4), r, l, UV{0.1, 1}, UV{0.6, 0.5}, UV{0.1, 0.5});
        m.twoSided(l, r, tip, UV{0.1, 0.5}, UV{0.6, 0.5}, UV{0.35, 0});
    }
    if (flower) {
        for (int i = 0; i < 3; ++i) {
            const double a = 2 * pi * i / 3 + seed;
            const V3 base{std::sin(a) * 4, 0, std::cos(a) * 4}, head{std::sin(a) * 7, length * 1.1, std::cos(a) * 7};
            m.twoSided(base, base + V3{1, 0, 0}, head, UV{0.8, 1}, UV{0.9, 1}, UV{0.85, 0});
            m.lathe(head, sphereProfile(3.5, 4), 6, 0.76, 0.99, 0, 1);
        }
    }
    return m;
}

}  // namespace

bool writeModels(const std::string& dataDir, uint64_t seed) {
    const std::string dir = dataDir + "/models";
    Noise noise(seed * 13 + 1);
    bool ok = paintSkins(dir, seed);
    ok = save(dataDir, modelOf(typeIds::ship), shipModel(), "ship.tga", matte) && ok;
    ok = save(dataDir, modelOf(typeIds::shot), sphereModel(7, 10, 6), "shot.tga", glowing) && ok;
    ok = save(dataDir, modelOf(typeIds::tower), towerModel(), "tower.tga", matte) && ok;
    ok = save(dataDir, modelOf(typeIds::explosion), sphereModel(1, 14, 8), "explosion.tga", matte) && ok;
    ok = save(dataDir, kindModels::tree[0], conifer(noise, 130, 34, 3, 1), "tree.tga", matte) && ok;
    ok = save(dataDir, kindModels::tree[1], broadleaf(noise), "tree.tga", matte) && ok;
    ok = save(dataDir, kindModels::tree[2], conifer(noise, 190, 26, 5, 7), "tree.tga", matte) && ok;
    ok = save(dataDir, kindModels::rock[0], rockModel(noise, 28, 0.6, 1, 10), "rock.tga", matte) && ok;
    ok = save(dataDir, kindModels::rock[1], rockModel(noise, 40, 0.45, 5, 12), "rock.tga", matte) && ok;
    ok = save(dataDir, kindModels::rock[2], rockModel(noise, 22, 0.9, 9, 10), "rock.tga", matte) && ok;
    ok = save(dataDir, kindModels::plant[0], mushroomModel(14, 11, 0.7, true), "mushroom.tga", matte) && ok;
    ok = save(dataDir, kindModels::plant[1], mushroomModel(10, 16, 0.45, false), "mushroom.tga", matte) && ok;
    ok = save(dataDir, kindModels::plant[2], plantModel(noise, 9, 34, 3.5, false, 2), "plant.tga", matte) && ok;
    ok = save(dataDir, kindModels::plant[3], plantModel(noise, 6, 26, 6, true, 5), "plant.tga", matte) && ok;
    ok = save(dataDir, kindModels::smallRock[0], rockModel(noise, 9, 0.6, 13, 8), "rock.tga", matte) && ok;
    ok = save(dataDir, kindModels::smallRock[1], rockModel(noise, 7, 0.8, 17, 8), "rock.tga", matte) && ok;
    return ok;
}

bool writeTextures(const std::string& dataDir, uint64_t seed) {
    Noise noise(seed * 31 + 11);
    // Detail: grey noise around mid grey, so the doubling combiner keeps the ground colour on average.
    // It tiles seamlessly: the noise repeats every 256 lattice steps and the picture spans 16 of them twice.
    Canvas detail(128, 128);
    detail.paint([&](double x, double y) {
        const double n = 0.65 * noise.fractal(x * 16, y * 16, 4) + 0.35 * noise.at(x * 64, y * 64);
        const double v = 128 + 34 * n;
        return Colour{v, v, v};
    });
    bool ok = detail.save(inDataFolder(dataDir, detailTextureFile), 3);
    Canvas particle(32, 32);
    particle.paint([&](double x, double y) {
        const double d = std::min(1.0, std::hypot(x - 0.5, y - 0.5) * 2);
        return Colour{255, 255, 255, 255 * (1 - d) * (1 - d)};
    });
    ok = particle.save(inDataFolder(dataDir, particleTextureFile)) && ok;
    return ok;
}
