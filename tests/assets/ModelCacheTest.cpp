// Models read once: entities of one model file share it; a bad or missing file is an empty model, read once.
#include "assets/ModelCache.h"

#include "Fixtures.h"

class ModelCacheTest : public GlTest {};

TEST_F(ModelCacheTest, EntitiesOfOneModelFileShareOneReadOfIt) {
    const std::string dir = makeTempDir();
    ScopedWorkingDirectory cwd(dir);
    ASSERT_EQ(system("mkdir -p data/models"), 0);
    ASSERT_TRUE(writeMs3d("data/models/tower.ms3d", oneTriangleModel()));
    std::ofstream("data/models/shot.ms3d") << "not a model";

    Tower a(0, 0, 1), b(100, 0, 1);
    EXPECT_EQ(a.model, b.model);
    EXPECT_EQ(a.model->triangleCount(), 1);
    // Later entities take the model read first, whatever has become of the file since.
    std::remove("data/models/tower.ms3d");
    EXPECT_EQ(Tower(0, 0, 1).model, a.model);

    Shot first(Vector3(0, 0, 0), Vector3(1, 0, 1));
    EXPECT_EQ(first.model->triangleCount(), 0);  // a bad file: an empty model, drawn as nothing
    ASSERT_TRUE(writeMs3d("data/models/shot.ms3d", oneTriangleModel()));
    EXPECT_EQ(Shot(Vector3(0, 0, 0), Vector3(1, 0, 1)).model->triangleCount(), 0);  // and not read again
    EXPECT_EQ(ModelCache::instance().size(), 3u);  // the empty default, the tower, the shot
}
