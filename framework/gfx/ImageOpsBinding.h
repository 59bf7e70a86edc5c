#pragma once

#include "framework/gfx/ImageOpsDispatchTable.h"
#include "imageops/CpuDetection.h"

#include <array>
#include <cstdint>
#include <span>

// Chooses the build of the image primitives once at start-up. Build classes (the columns of
// the variant rows): 0 plain, 1 SSE, 2 SSE2, 3 SSE3. Processor classes name the best build a
// processor may run; each tries its builds best first.

inline constexpr int kBuildClassCount = 4;

// One row per slot, in slot order: the slot and its entry in each build (null: no such build).
struct CpuVariantRow {
    ImageOpSlot slot;
    std::array<ImageOpEntry, kBuildClassCount> builds;
};

using CpuVariantRecord = std::span<const CpuVariantRow>;

// The rows as shipped: every build of every slot.
CpuVariantRecord ShippedCpuVariants();

// For each processor class, the build classes to try, best first, ended by a value of 4 or more.
using BuildPreferenceList = std::array<std::array<std::int32_t, 5>, kBuildClassCount>;
extern const BuildPreferenceList kBuildPreferenceList;

// The processor class (0 to 3) of a processor type code: 5, 16, 17 SSE; 6, 7, 9 SSE2; 8, 32
// SSE3; everything else plain.
std::int32_t CpuClassOf(CpuTypeCode code);
// The processor class of this processor; detects it anew at every call.
std::int32_t CpuClass();

// Stores build buildClass of every row into table, in row order; 0 (with the earlier rows
// already stored) at the first row without that build, else 1.
std::int32_t FillDispatchSlotsFrom(CpuVariantRecord record, std::int32_t buildClass, ImageOpsDispatchTable& table);
// Binds the first build of processorClass's preference list that fills every slot: 1, or 0
// when none does, the record is empty or the class is outside 0 to 3.
std::int32_t BindImageOps(CpuVariantRecord record, std::int32_t processorClass, ImageOpsDispatchTable& table);

// The shipped rows into the global table.
std::int32_t FillDispatchSlots(std::int32_t buildClass);

// The keyed copy's row kernel has no slot: it runs in the build whose colour copy the table
// holds, so binding or forcing a build moves it too; the plain kernel for any other entry.
using CopyOpaqueRowEntry = decltype(&CopyOpaqueRow8u4);
CopyOpaqueRowEntry BoundCopyOpaqueRow(const ImageOpsDispatchTable& table);

// Binds the global table for this processor: 1 when a build was bound, 0 when none could be.
// Under the test harness (QUILLOMAR_TEST=1) QUILLOMAR_IMAGEOPS_BUILD=0..3 names the processor
// class to bind instead, so tests and benchmarks can run every build through the stubs. With
// QUILLOMAR_VERBOSE=1 it writes the bound build and the processor type as a line on stderr.
std::int32_t InitImageOps();
