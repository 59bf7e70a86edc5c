#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "framework/gfx/CpuFeatures.h"
#include "framework/gfx/ImageOpsBinding.h"
#include "framework/gfx/ImageOpsDispatchTable.h"
#include "imageops/ImageOpsSse.h"
#include "imageops/ImageOpsSse2.h"
#include "imageops/ImageOpsSse3.h"
#include "imageops/resize/ResizeImage8u4Sse.h"
#include "imageops/resize/ResizeImage8u4Sse2.h"
#include "imageops/resize/ResizeImage8u4Sse3.h"

namespace {

// Column build of the shipped rows as a table.
ImageOpsDispatchTable Column(int build) {
    ImageOpsDispatchTable table = GenericImageOpsDispatchTable();
    for (const CpuVariantRow& row : ShippedCpuVariants())
        table.StoreErased(static_cast<int>(row.slot), row.builds[build]);
    return table;
}

// Restores the global table and the forcing variable whatever a test does to them.
class ImageOpsBindingTest : public testing::Test {
   protected:
    void TearDown() override {
        gImageOpsDispatchTable = saved_;
        unsetenv("QUILLOMAR_IMAGEOPS_BUILD");
    }
    ImageOpsDispatchTable saved_ = gImageOpsDispatchTable;
};

TEST_F(ImageOpsBindingTest, ShippedRowsCoverEverySlotInOrderWithFourBuilds) {
    const CpuVariantRecord record = ShippedCpuVariants();
    ASSERT_EQ(record.size(), 14u);
    for (std::size_t i = 0; i < record.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(record[i].slot), i);
        for (ImageOpEntry e : record[i].builds) EXPECT_NE(e, nullptr) << i;
    }
    // The plain column is the table as loaded; the SIMD columns hold their own builds.
    EXPECT_EQ(Column(0), GenericImageOpsDispatchTable());
    EXPECT_EQ(Column(2).Entry<ImageOpSlot::AlphaComposite8u4>(), &AlphaComposite8u4Sse2);
    EXPECT_EQ(Column(3).Entry<ImageOpSlot::FillPixel8u4>(), &FillPixel8u4Sse3);
    EXPECT_EQ(Column(1).Entry<ImageOpSlot::PremultiplyAlpha8u4>(), &PremultiplyAlpha8u4Sse);
    EXPECT_EQ(Column(0).Entry<ImageOpSlot::ResizeImage8u4>(), &ResizeImage8u4);
    EXPECT_EQ(Column(1).Entry<ImageOpSlot::ResizeImage8u4>(), &ResizeImage8u4Sse);
    EXPECT_EQ(Column(2).Entry<ImageOpSlot::ResizeImage8u4>(), &ResizeImage8u4Sse2);
    EXPECT_EQ(Column(3).Entry<ImageOpSlot::ResizeImage8u4>(), &ResizeImage8u4Sse3);
    EXPECT_EQ(BoundCopyOpaqueRow(Column(2)), &CopyOpaqueRow8u4Sse2);
}

TEST_F(ImageOpsBindingTest, ProcessorTypesMapToTheirClasses) {
    for (CpuTypeCode code = -3; code <= 40; ++code) {
        int expected = 0;
        if (code == 5 || code == 16 || code == 17) expected = 1;
        if (code == 6 || code == 7 || code == 9) expected = 2;
        if (code == 8 || code == 32) expected = 3;
        EXPECT_EQ(CpuClassOf(code), expected) << code;
    }
    EXPECT_EQ(CpuClass(), CpuClassOf(DetectCpuType()));
}

TEST_F(ImageOpsBindingTest, EachClassBindsItsBestBuild) {
    for (int processorClass = 0; processorClass < 4; ++processorClass) {
        ImageOpsDispatchTable table = GenericImageOpsDispatchTable();
        EXPECT_EQ(BindImageOps(ShippedCpuVariants(), processorClass, table), 1);
        EXPECT_EQ(table, Column(processorClass)) << processorClass;
        // Binding again changes nothing.
        EXPECT_EQ(BindImageOps(ShippedCpuVariants(), processorClass, table), 1);
        EXPECT_EQ(table, Column(processorClass));
    }
    ImageOpsDispatchTable table = GenericImageOpsDispatchTable();
    EXPECT_EQ(BindImageOps(ShippedCpuVariants(), 4, table), 0);
    EXPECT_EQ(BindImageOps(ShippedCpuVariants(), -1, table), 0);
    EXPECT_EQ(BindImageOps({}, 2, table), 0);
    EXPECT_EQ(table, GenericImageOpsDispatchTable());
    EXPECT_EQ(FillDispatchSlotsFrom({}, 3, table), 1);
}

TEST_F(ImageOpsBindingTest, AMissingBuildStopsTheFillAndTheNextBuildRewritesAllRows) {
    const CpuVariantRecord shipped = ShippedCpuVariants();
    std::vector<CpuVariantRow> rows(shipped.begin(), shipped.end());
    rows[5].builds[3] = nullptr;
    ImageOpsDispatchTable table = GenericImageOpsDispatchTable();
    EXPECT_EQ(FillDispatchSlotsFrom(rows, 3, table), 0);
    const ImageOpsDispatchTable sse3 = Column(3);
    for (int slot = 0; slot < kImageOpSlotCount; ++slot) {
        const ImageOpEntry expected =
            slot < 5 ? sse3.ErasedEntry(slot) : GenericImageOpsDispatchTable().ErasedEntry(slot);
        EXPECT_EQ(table.ErasedEntry(slot), expected) << slot;
    }
    EXPECT_EQ(BindImageOps(rows, 3, table), 1);
    EXPECT_EQ(table, Column(2));
    // Without any build the list runs out.
    for (auto& row : rows) row.builds = {nullptr, nullptr, nullptr, nullptr};
    EXPECT_EQ(BindImageOps(rows, 3, table), 0);
}

TEST_F(ImageOpsBindingTest, InitBindsThisProcessorOrTheForcedClass) {
    EXPECT_EQ(InitImageOps(), 1);
    EXPECT_EQ(gImageOpsDispatchTable, Column(CpuClass()));
    setenv("QUILLOMAR_IMAGEOPS_BUILD", "1", 1);
    setenv("QUILLOMAR_TEST", "1", 1);
    EXPECT_EQ(InitImageOps(), 1);
    EXPECT_EQ(gImageOpsDispatchTable, Column(1));
    setenv("QUILLOMAR_IMAGEOPS_BUILD", "7", 1);
    EXPECT_EQ(InitImageOps(), 1);
    EXPECT_EQ(gImageOpsDispatchTable, Column(CpuClass()));
    EXPECT_EQ(FillDispatchSlots(3), 1);
    EXPECT_EQ(gImageOpsDispatchTable, Column(3));
}

TEST_F(ImageOpsBindingTest, StubsCallWhateverTheirSlotHolds) {
    static const std::uint8_t* seenValue;
    static std::int32_t seenWidth;
    gImageOpsDispatchTable.StoreErased(
        static_cast<int>(ImageOpSlot::FillPixel8u4),
        EraseImageOpEntry<ImageOpSlot::FillPixel8u4>(
            [](const std::uint8_t* value, std::uint8_t*, std::int32_t, std::int32_t width, std::int32_t) {
                seenValue = value;
                seenWidth = width;
                return ImageOpStatus::BadOperator;
            }));
    const std::uint8_t value[4] = {};
    EXPECT_EQ(FillPixel8u4Stub(value, nullptr, 4, 17, 1), ImageOpStatus::BadOperator);
    EXPECT_EQ(seenValue, value);
    EXPECT_EQ(seenWidth, 17);

    // Every stub reaches the bound build: a small drawing through them in each build.
    for (int build = 0; build < 4; ++build) {
        gImageOpsDispatchTable = Column(build);
        std::int32_t step = 0;
        std::uint8_t* image = AllocImage8u4Stub(3, 2, &step);
        ASSERT_NE(image, nullptr);
        const std::uint8_t fill[4] = {200, 100, 50, 128};
        EXPECT_EQ(FillPixel8u4Stub(fill, image, step, 3, 2), ImageOpStatus::Ok);
        EXPECT_EQ(PremultiplyAlpha8u4Stub(image, step, 3, 2), ImageOpStatus::Ok);
        EXPECT_EQ(image[0], 100);
        EXPECT_EQ(image[3], 128);
        EXPECT_EQ(AlphaComposite8u4Stub(image, step, image, step, image, step, 3, 2, CompositeOp(12)),
                  ImageOpStatus::BadOperator);
        std::uint8_t small[4 * 6] = {};
        EXPECT_EQ(ResizeImage8u4Stub(image, 3, 2, step, 0, 0, 3, 2, small, 12, 3, 2, 1.0, 1.0, 1), ImageOpStatus::Ok);
        EXPECT_EQ(small[0], 100);
        FreeImageStub(image);
    }
}

TEST_F(ImageOpsBindingTest, FeatureBitsShowMmxOnEveryX86_64Processor) {
    EXPECT_NE(CpuFeatures() & (1u << 23), 0u);
    EXPECT_EQ(CpuFeatures(), Cpuid(1).edx);
}

}  // namespace
