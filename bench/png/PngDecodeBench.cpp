// Decodes each PNG file named on the command line with our decoder and with libpng, checks that
// both give the same pixels, and times both.
//
//   bench-png [--benchmark_* options] file.png...
//
// Each file is decoded to the form the framework's loader would ask for where one exists
// (8-bit RGB and RGBA to B, G, R(, A)); 16-bit images are byte-swapped to little-endian and
// reordered the same way; all others stay as packed rows. Rows land bottom-up on both sides. The
// last line reads: png files=N agree=N ratio-median=X ratio-max=Y (ratio = our time / libpng's).

#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "png/PngDecoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Job {
    std::string path;
    Bytes file;
    uint32_t width = 0, height = 0;
    uint32_t format = 0;
    bool swap16 = false, bgr = false;
    size_t rowBytes = 0;
};

// What our decoder writes and the libpng transforms giving the same bytes.
void ChooseForm(Job& job, int colourType, int bitDepth, size_t packedRowBytes) {
    job.rowBytes = packedRowBytes;
    if (bitDepth == 8 && colourType == 6) {
        job.format = kPngFormatBgra8;
        job.bgr = true;
    } else if (bitDepth == 8 && colourType == 2) {
        job.format = kPngFormatBgr8;
        job.bgr = true;
    } else if (bitDepth == 16 && (colourType == 2 || colourType == 6)) {
        job.format = colourType == 2 ? 2 : 4;
        job.bgr = job.swap16 = true;
    } else if (bitDepth == 16) {
        job.format = 1;
        job.swap16 = true;
    } else {
        job.format = 0;
    }
}

bool DecodeOurs(const Job& job, Bytes& out) {
    PngDecoder dec;
    PngDecoderInit(&dec);
    const bool ok = PngDecoderOpenMemory(&dec, job.file.data(), uint32_t(job.file.size())) &&
                    PngDecoderDecode(&dec) &&
                    PngDecoderWriteRows(&dec, out.data(), job.format, int32_t(job.rowBytes));
    PngDecoderClose(&dec);
    return ok;
}

struct Reader {
    const Bytes* data;
    size_t pos;
};

void ReadMemory(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (n > r->data->size() - r->pos) png_error(png, "truncated");
    std::memcpy(out, r->data->data() + r->pos, n);
    r->pos += n;
}

bool DecodeLibpng(const Job& job, Bytes& out, std::vector<png_bytep>& rows) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Reader reader{&job.file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, ReadMemory);
    png_read_info(png, info);
    if (job.bgr) png_set_bgr(png);
    if (job.swap16) png_set_swap(png);
    const uint32_t height = png_get_image_height(png, info);
    rows.resize(height);
    for (uint32_t y = 0; y < height; ++y) {
        rows[y] = out.data() + size_t(height - 1 - y) * job.rowBytes;
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// Header facts through libpng, so a file we refuse is still described.
bool Describe(Job& job) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Reader reader{&job.file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, ReadMemory);
    png_read_info(png, info);
    job.width = png_get_image_width(png, info);
    job.height = png_get_image_height(png, info);
    const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    ChooseForm(job, png_get_color_type(png, info), png_get_bit_depth(png, info),
               png_get_rowbytes(png, info));
    png_destroy_read_struct(&png, &info, nullptr);
    return !interlaced;
}

// Keeps the console output and collects each benchmark's processor time per iteration (steadier
// than wall time on a shared machine).
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration && r.iterations > 0) {
                seconds[r.benchmark_name()] = r.cpu_accumulated_time / double(r.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::vector<Job> jobs;
    int agree = 0;
    int disagree = 0;
    for (int i = 1; i < argc; ++i) {
        Job job;
        job.path = argv[i];
        std::ifstream in(job.path, std::ios::binary);
        job.file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (job.file.empty() || !Describe(job)) {
            std::printf("skip %s: unreadable or interlaced\n", job.path.c_str());
            continue;
        }
        Bytes ours(job.rowBytes * job.height, 0);
        Bytes theirs(job.rowBytes * job.height, 1);
        std::vector<png_bytep> rows;
        const bool okOurs = DecodeOurs(job, ours);
        const bool okTheirs = DecodeLibpng(job, theirs, rows);
        if (!okOurs || !okTheirs || ours != theirs) {
            std::printf("DISAGREE %s: ours %d libpng %d\n", job.path.c_str(), okOurs, okTheirs);
            ++disagree;
            continue;
        }
        ++agree;
        jobs.push_back(std::move(job));
    }
    for (size_t j = 0; j < jobs.size(); ++j) {
        const Job* job = &jobs[j];
        const std::string name = job->path.substr(job->path.find_last_of('/') + 1);
        benchmark::RegisterBenchmark(("ours/" + name).c_str(), [job](benchmark::State& state) {
            Bytes out(job->rowBytes * job->height);
            for (auto _ : state) {
                benchmark::DoNotOptimize(DecodeOurs(*job, out));
                benchmark::ClobberMemory();
            }
            state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.size()));
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("libpng/" + name).c_str(), [job](benchmark::State& state) {
            Bytes out(job->rowBytes * job->height);
            std::vector<png_bytep> rows;
            for (auto _ : state) {
                benchmark::DoNotOptimize(DecodeLibpng(*job, out, rows));
                benchmark::ClobberMemory();
            }
            state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.size()));
        })->Unit(benchmark::kMicrosecond);
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::vector<double> ratios;
    std::printf("\n%-36s %10s %10s %12s %12s %7s\n", "file", "bytes", "pixels", "ours MB/s",
                "libpng MB/s", "ratio");
    for (const Job& job : jobs) {
        const std::string name = job.path.substr(job.path.find_last_of('/') + 1);
        const auto o = reporter.seconds.find("ours/" + name);
        const auto l = reporter.seconds.find("libpng/" + name);
        if (o == reporter.seconds.end() || l == reporter.seconds.end()) continue;
        const double mb = double(job.rowBytes * job.height) / 1e6;
        const double ratio = o->second / l->second;
        ratios.push_back(ratio);
        std::printf("%-36s %10zu %10zu %12.1f %12.1f %7.3f\n", name.c_str(), job.file.size(),
                    job.rowBytes * job.height, mb / o->second, mb / l->second, ratio);
    }
    std::sort(ratios.begin(), ratios.end());
    const double median = ratios.empty() ? 0.0
                          : ratios.size() % 2 ? ratios[ratios.size() / 2]
                          : (ratios[ratios.size() / 2 - 1] + ratios[ratios.size() / 2]) / 2;
    std::printf("png files=%d agree=%d ratio-median=%.3f ratio-max=%.3f\n", argc - 1, agree, median,
                ratios.empty() ? 0.0 : ratios.back());
    return disagree ? 1 : 0;
}
