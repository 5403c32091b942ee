// The laboratory as authored: the tour's camera, the objects' budgets and configurations.

#include "tools/generator/deform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "resources/config_file.h"
#include "resources/text_file.h"
#include "tools/generator/format_writers.h"
#include "tools/generator/deform_textures.h"

namespace {

bool inside(const Box& box, Vector3 p, float margin) {
    return p.x > box.low.x + margin && p.x < box.high.x - margin && p.y > box.low.y + margin &&
           p.y < box.high.y - margin && p.z > box.low.z + margin && p.z < box.high.z - margin;
}

// Inside the lab with `margin` to spare from every wall; where two spaces meet (the doorways)
// being inside either counts.
bool insideLab(Vector3 p, float margin) {
    for (const Box& space : kDeformSpaces) {
        if (inside(space, p, margin)) {
            return true;
        }
    }
    // In a doorway: inside the passage's cross-section, where it opens into a room.
    const Box& passage = kDeformSpaces[1];
    const Box throughDoors = {{passage.low.x, passage.low.y, passage.low.z - 2.0f},
                              {passage.high.x, passage.high.y, passage.high.z + 2.0f}};
    return inside(throughDoors, p, margin);
}

float length(Vector3 v) {
    return std::sqrt(dot(v, v));
}

TEST(DeformTour, CoversTheSceneWithDenseKeys) {
    const std::vector<TrackKey> keys = deformTourPath();
    ASSERT_GT(keys.size(), 300u);
    EXPECT_EQ(keys.front().time, 0.0f);
    EXPECT_NEAR(keys.back().time, kDeformTourSeconds, 1e-4f);
    for (size_t i = 1; i < keys.size(); ++i) {
        EXPECT_GT(keys[i].time, keys[i - 1].time);
        EXPECT_LE(keys[i].time - keys[i - 1].time, 0.25f);
    }
}

TEST(DeformTour, NeverLeavesTheRoomsNorWalksIntoFurniture) {
    for (const TrackKey& key : deformTourPath()) {
        const Vector3 eye = key.first;
        EXPECT_TRUE(insideLab(eye, 0.6f))
            << "at " << key.time << " s: " << eye.x << " " << eye.y << " " << eye.z;
        for (const Box& obstacle : deformObstacles()) {
            EXPECT_FALSE(inside(obstacle, eye, -0.6f)) << "at " << key.time << " s";
        }
    }
}

TEST(DeformTour, MovesAndTurnsWithoutJerks) {
    const std::vector<TrackKey> keys = deformTourPath();
    for (size_t i = 1; i + 1 < keys.size(); ++i) {
        const float dt = keys[i].time - keys[i - 1].time;
        // Change of velocity between neighbouring segments, for the eye and the target.
        for (Vector3 TrackKey::*point : {&TrackKey::first, &TrackKey::second}) {
            const Vector3 before = (keys[i].*point - keys[i - 1].*point) * (1.0f / dt);
            const Vector3 after = (keys[i + 1].*point - keys[i].*point) * (1.0f / dt);
            EXPECT_LT(length(after - before) / dt, 2.5f) << "at " << keys[i].time << " s";
        }
        const Vector3 speed = (keys[i].first - keys[i - 1].first) * (1.0f / dt);
        EXPECT_LT(length(speed), 3.0f) << "at " << keys[i].time << " s";
    }
}

TEST(DeformTour, StartsInRoomOneAndEndsLookingAtTheSlinky) {
    const std::vector<TrackKey> keys = deformTourPath();
    EXPECT_TRUE(inside(kDeformSpaces[0], keys.front().first, 0.5f));
    const TrackKey& last = keys.back();
    EXPECT_TRUE(inside(kDeformSpaces[2], last.first, 0.5f));
    const Vector3 view = normalised(last.second - last.first);
    const Vector3 toSlinky = normalised(kSlinkyPlace - last.first);
    EXPECT_GT(dot(view, toSlinky), 0.98f);
    EXPECT_LT(length(kSlinkyPlace - last.first), 12.0f);
}

TEST(DeformObjects, StayWithinTheirTriangleBudgets) {
    int32_t total = 0;
    for (const DeformObjectRecipe& object : kDeformObjectRecipes) {
        const Mesh mesh = object.buildMesh();
        int32_t triangles = 0;
        for (const MeshPart& part : mesh.parts) {
            triangles += static_cast<int32_t>(part.faces.size());
            for (const MeshFace& face : part.faces) {
                ASSERT_TRUE(faceIsDrawable(part, face)) << object.meshFile;
            }
        }
        EXPECT_GT(triangles, 0) << object.meshFile;
        total += triangles;
        if (std::string(object.configFile).ends_with("slinky.cfg")) {
            EXPECT_LT(triangles, 5000);
        }
    }
    EXPECT_LT(total, 10000);
}

TEST(DeformObjects, SlinkyIsUprightOnTheGlowsCentre) {
    const Mesh slinky = deformSlinkyMesh();
    float lowest = 1e9f, highest = -1e9f, widest = 0.0f;
    for (const MeshVertex& v : slinky.parts[0].vertices) {
        lowest = std::min(lowest, v.y);
        highest = std::max(highest, v.y);
        widest = std::max(widest, std::hypot(v.x, v.z));
    }
    EXPECT_NEAR(kSlinkyPlace.y + lowest, -5.74f, 0.05f);  // just into its base plate
    EXPECT_GT(highest - lowest, 8.0f);
    EXPECT_LT(widest, 2.5f);
    for (const TrackKey& key : slinkyAnimation()) {
        EXPECT_EQ(key.first.x, kSlinkyPlace.x);
        EXPECT_EQ(key.first.y, kSlinkyPlace.y);
        EXPECT_EQ(key.first.z, kSlinkyPlace.z);
        EXPECT_EQ(key.second.z, 0.0f);
    }
}

TEST(DeformObjects, ConfigurationsNameTheirOwnFilesAndPictures) {
    std::set<std::string> pictures = {"Textures/EnvY.png"};
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        pictures.insert(recipe.file);
    }
    std::set<std::string> meshes;
    for (const DeformObjectRecipe& object : kDeformObjectRecipes) {
        EXPECT_TRUE(meshes.insert(object.meshFile).second) << object.meshFile;
        for (const char* picture : {object.textureFile, object.environmentFile}) {
            if (picture != nullptr) {
                EXPECT_TRUE(pictures.count(picture)) << object.configFile << ": " << picture;
            }
        }
        EXPECT_EQ(object.animationFile == nullptr, object.animation == nullptr);
    }
}

TEST(DeformObjects, TheWindowBlendsAndTheSculptureTwists) {
    const DeformObjectRecipe& window = kDeformObjectRecipes[10];
    EXPECT_STREQ(window.configFile, "Complex/xlab/room1/window.cfg");
    for (const DeformTextureRecipe& recipe : kDeformTextureRecipes) {
        if (std::string(recipe.file) == window.textureFile) {
            EXPECT_EQ(recipe.channels, 4);
        }
    }
    EXPECT_STREQ(kDeformObjectRecipes[7].animationMode, "AF_TWIST");
    EXPECT_STREQ(kDeformObjectRecipes[13].animationMode, "AF_SLINK");
}

}  // namespace
