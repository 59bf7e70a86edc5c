// Decodes PNG files with our decoder and with the peers that are installed (libpng always,
// libspng and stb_image when found), checks that every peer gives the same pixels, and times
// each decoder on the same bytes.
//
//   bench-png [--benchmark_* options] [file.png...]
//
// Without files it takes the public PNG suite (tests/data/pngsuite) and images it makes at
// start, encoded with libpng: a photograph-like frame, a screenshot-like screen and a set of
// icons. Each file is decoded to the form the framework's loader would ask for where one exists
// (8-bit RGB and RGBA to B, G, R(, A)); 16-bit images are byte-swapped to little-endian and
// reordered the same way; all others stay as packed rows, palette indices unexpanded. Rows land
// bottom-up. libpng makes those transforms itself; libspng and stb_image decode to their own
// top-down forms, which are turned into ours only to compare, outside the timing. stb_image
// always expands to 8-bit samples, so it is compared and timed on 8-bit grey and truecolour
// images only. Interlaced files are skipped (our decoder does not take them).
//
// Rounds are interleaved and times are medians (bench/MedianRuns.h). The closing @row lines
// give, per group of images, the summed decode time of ours and of each peer that decoded the
// whole group; the last line reads png files=N agree=M (M: decoded alike by every decoder, or
// refused by both ours and libpng).

#include <benchmark/benchmark.h>
#include <png.h>

#if QM_BENCH_SPNG
#include <spng.h>
#endif
#if QM_BENCH_STB
#include <stb_image.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "bench/MedianRuns.h"
#include "png/PngDecoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Job {
    std::string name;
    std::string group;
    Bytes file;
    uint32_t width = 0, height = 0;
    int colourType = 0, bitDepth = 0;
    bool hasTrns = false;
    uint32_t format = 0;
    bool swap16 = false, bgr = false;
    size_t rowBytes = 0;
};

// What our decoder writes and the libpng transforms giving the same bytes.
void ChooseForm(Job& job, size_t packedRowBytes) {
    job.rowBytes = packedRowBytes;
    const int colourType = job.colourType;
    const int bitDepth = job.bitDepth;
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

// Channels per pixel of a colour type.
int Channels(int colourType) {
    switch (colourType) {
        case 2: return 3;
        case 4: return 2;
        case 6: return 4;
        default: return 1;
    }
}

// Top-down rows in PNG channel order (samples host-endian) turned into our form.
Bytes ToOurForm(const Job& job, const uint8_t* topDown) {
    Bytes out(job.rowBytes * job.height);
    const int sample = job.bitDepth == 16 ? 2 : 1;
    const int pixel = Channels(job.colourType) * sample;
    for (uint32_t y = 0; y < job.height; ++y) {
        uint8_t* row = out.data() + size_t(job.height - 1 - y) * job.rowBytes;
        std::memcpy(row, topDown + size_t(y) * job.rowBytes, job.rowBytes);
        if (!job.bgr) continue;
        for (uint32_t x = 0; x < job.width; ++x) {
            uint8_t* p = row + size_t(x) * pixel;
            for (int k = 0; k < sample; ++k) std::swap(p[k], p[2 * sample + k]);
        }
    }
    return out;
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
    job.colourType = png_get_color_type(png, info);
    job.bitDepth = png_get_bit_depth(png, info);
    job.hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    ChooseForm(job, png_get_rowbytes(png, info));
    png_destroy_read_struct(&png, &info, nullptr);
    return !interlaced;
}

// A peer decoder: decode times its own work into its own buffer; ours turns that buffer into
// our form for the comparison. applies says whether it can give our form of a file at all.
struct Peer {
    const char* name;
    std::function<bool(const Job&)> applies;
    std::function<bool(const Job&, Bytes& scratch)> decode;
    std::function<Bytes(const Job&, const Bytes& scratch)> ours;
};

std::vector<Peer> Peers() {
    std::vector<Peer> peers;
    peers.push_back({"libpng", [](const Job&) { return true; },
                     [](const Job& job, Bytes& scratch) {
                         thread_local std::vector<png_bytep> rows;
                         scratch.resize(job.rowBytes * job.height);
                         return DecodeLibpng(job, scratch, rows);
                     },
                     [](const Job&, const Bytes& scratch) { return scratch; }});
#if QM_BENCH_SPNG
    peers.push_back({"libspng", [](const Job&) { return true; },
                     [](const Job& job, Bytes& scratch) {
                         spng_ctx* ctx = spng_ctx_new(0);
                         size_t size = 0;
                         const bool ok = ctx != nullptr &&
                                         spng_set_png_buffer(ctx, job.file.data(), job.file.size()) == 0 &&
                                         spng_decoded_image_size(ctx, SPNG_FMT_PNG, &size) == 0 &&
                                         (scratch.resize(size), true) &&
                                         spng_decode_image(ctx, scratch.data(), size, SPNG_FMT_PNG, 0) == 0;
                         spng_ctx_free(ctx);
                         return ok;
                     },
                     [](const Job& job, const Bytes& scratch) {
                         return scratch.size() == job.rowBytes * job.height ? ToOurForm(job, scratch.data())
                                                                            : Bytes{};
                     }});
#endif
#if QM_BENCH_STB
    peers.push_back({"stb_image",
                     [](const Job& job) {
                         return job.bitDepth == 8 && !job.hasTrns &&
                                (job.colourType == 0 || job.colourType == 2 || job.colourType == 6);
                     },
                     [](const Job& job, Bytes& scratch) {
                         int w = 0, h = 0, n = 0;
                         stbi_uc* pixels = stbi_load_from_memory(job.file.data(), int(job.file.size()), &w, &h, &n,
                                                                 Channels(job.colourType));
                         if (pixels == nullptr) return false;
                         scratch.assign(pixels, pixels + size_t(w) * h * Channels(job.colourType));
                         stbi_image_free(pixels);
                         return true;
                     },
                     [](const Job& job, const Bytes& scratch) {
                         return scratch.size() == job.rowBytes * job.height ? ToOurForm(job, scratch.data())
                                                                            : Bytes{};
                     }});
#endif
    return peers;
}

// ---- generated images -------------------------------------------------------------------

void WriteMemory(png_structp png, png_bytep data, png_size_t n) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

void FlushNothing(png_structp) {}

// libpng's encoding at its default level and adaptive filters; rows top-down, RGB(A) order.
Bytes Encode(uint32_t width, uint32_t height, int colourType, const Bytes& pixels) {
    Bytes file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &file, WriteMemory, FlushNothing);
    png_set_IHDR(png, info, width, height, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t rowBytes = size_t(width) * Channels(colourType);
    for (uint32_t y = 0; y < height; ++y) png_write_row(png, pixels.data() + y * rowBytes);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return file;
}

struct Random {
    uint32_t state;
    uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

// Smooth light and colour over the frame, with a little sensor noise.
Bytes Photo(uint32_t w, uint32_t h) {
    Bytes p(size_t(w) * h * 3);
    Random rng{7};
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            for (int c = 0; c < 3; ++c) {
                const double v = 128 + 60 * std::sin(x * (0.004 + 0.002 * c) + y * 0.003) +
                                 40 * std::cos(y * (0.007 - 0.001 * c) - x * 0.002) + int(rng.Next() % 9) - 4;
                p[(size_t(y) * w + x) * 3 + c] = uint8_t(std::clamp(v, 0.0, 255.0));
            }
        }
    }
    return p;
}

// Flat panels, framed buttons and lines of small dark strokes standing for text; opaque.
Bytes Screenshot(uint32_t w, uint32_t h) {
    Bytes p(size_t(w) * h * 4);
    Random rng{11};
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            uint8_t* q = &p[(size_t(y) * w + x) * 4];
            const bool panel = x > w / 5 && y > 40;
            const uint8_t base = panel ? 236 : 52;
            q[0] = base;
            q[1] = base;
            q[2] = uint8_t(panel ? base : base + 30);
            q[3] = 255;
            if ((x % 160 < 2 || y % 96 < 2) && panel) q[0] = q[1] = q[2] = 180;
        }
    }
    for (uint32_t line = 60; line + 12 < h; line += 18) {
        uint32_t x = w / 5 + 12;
        while (x + 8 < w - 12) {
            const uint32_t word = 3 + rng.Next() % 8;
            for (uint32_t k = 0; k < word && x + 6 < w; ++k, x += 7) {
                const uint32_t shape = rng.Next();
                for (uint32_t dy = 0; dy < 10; ++dy)
                    for (uint32_t dx = 0; dx < 5; ++dx)
                        if ((shape >> ((dy * 5 + dx) % 24)) & 1) {
                            uint8_t* q = &p[(size_t(line + dy) * w + x + dx) * 4];
                            q[0] = q[1] = q[2] = 30;
                        }
            }
            x += 7;
        }
    }
    return p;
}

// A shaded disc with a soft edge on a clear ground.
Bytes Icon(uint32_t size, uint32_t seed) {
    Bytes p(size_t(size) * size * 4);
    const double r = size * 0.42;
    for (uint32_t y = 0; y < size; ++y) {
        for (uint32_t x = 0; x < size; ++x) {
            const double dx = x - size / 2.0, dy = y - size / 2.0;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double alpha = std::clamp(r + 0.5 - d, 0.0, 1.0);
            uint8_t* q = &p[(size_t(y) * size + x) * 4];
            q[0] = uint8_t(40 + (seed * 37 + y * 2) % 200);
            q[1] = uint8_t(40 + (seed * 91 + x * 2) % 200);
            q[2] = uint8_t(60 + (seed * 53) % 180);
            q[3] = uint8_t(alpha * 255);
        }
    }
    return p;
}

void AddJob(std::vector<Job>& jobs, std::string name, std::string group, Bytes file) {
    Job job;
    job.name = std::move(name);
    job.group = std::move(group);
    job.file = std::move(file);
    if (job.file.empty() || !Describe(job)) {
        std::printf("skip %s: unreadable or interlaced\n", job.name.c_str());
        return;
    }
    jobs.push_back(std::move(job));
}

void DefaultJobs(std::vector<Job>& jobs) {
    std::vector<std::filesystem::path> suite;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(QM_TESTDATA_DIR "/pngsuite", error)) {
        if (entry.path().extension() == ".png") suite.push_back(entry.path());
    }
    std::sort(suite.begin(), suite.end());
    for (const auto& path : suite) {
        std::ifstream in(path, std::ios::binary);
        Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        AddJob(jobs, path.filename().string(), "pngsuite", std::move(file));
    }
    AddJob(jobs, "photo-1920x1080.png", "photo 1920x1080", Encode(1920, 1080, 2, Photo(1920, 1080)));
    AddJob(jobs, "screenshot-1280x800.png", "screenshot 1280x800", Encode(1280, 800, 6, Screenshot(1280, 800)));
    for (uint32_t i = 0; i < 16; ++i) {
        AddJob(jobs, "icon-" + std::to_string(i) + ".png", "16 icons 64x64", Encode(64, 64, 6, Icon(64, i)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The benchmark options are read by RunInterleaved; everything else names a file.
    std::vector<char*> options{argv[0]};
    std::vector<Job> jobs;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0) {
            options.push_back(argv[i]);
            continue;
        }
        std::ifstream in(argv[i], std::ios::binary);
        Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        AddJob(jobs, argv[i], "files", std::move(file));
    }
    if (jobs.empty() && options.size() == size_t(argc)) DefaultJobs(jobs);

    const std::vector<Peer> peers = Peers();
    // covered[p][j]: peer p gives the same pixels as ours on job j.
    std::vector<std::vector<bool>> covered(peers.size(), std::vector<bool>(jobs.size(), false));
    std::vector<bool> ours(jobs.size(), false);
    int agree = 0;
    for (size_t j = 0; j < jobs.size(); ++j) {
        const Job& job = jobs[j];
        Bytes mine(job.rowBytes * job.height, 0);
        ours[j] = DecodeOurs(job, mine);
        if (!ours[j]) {
            // A file we refuse agrees when libpng, which checks every checksum, refuses it too.
            Bytes scratch;
            if (peers[0].decode(job, scratch)) {
                std::printf("DISAGREE %s: ours refuses it, libpng decodes it\n", job.name.c_str());
            } else {
                ++agree;
            }
            continue;
        }
        bool all = true;
        for (size_t p = 0; p < peers.size(); ++p) {
            if (!peers[p].applies(job)) continue;
            Bytes scratch;
            const bool ok = peers[p].decode(job, scratch);
            if (ok && peers[p].ours(job, scratch) == mine) {
                covered[p][j] = true;
            } else {
                std::printf("DISAGREE %s: ours %d %s %d\n", job.name.c_str(), int(ours[j]), peers[p].name, int(ok));
                all = false;
            }
        }
        if (all) ++agree;
    }

    // One benchmark per decoder and group: every file of the group that decoder handles alike.
    std::vector<std::string> groups;
    for (const Job& job : jobs) {
        if (std::find(groups.begin(), groups.end(), job.group) == groups.end()) groups.push_back(job.group);
    }
    const auto members = [&](const std::string& group, const std::vector<bool>& take) {
        std::vector<const Job*> list;
        for (size_t j = 0; j < jobs.size(); ++j) {
            if (jobs[j].group == group && take[j] && ours[j]) list.push_back(&jobs[j]);
        }
        return list;
    };
    for (const std::string& group : groups) {
        const std::vector<const Job*> mine = members(group, ours);
        benchmark::RegisterBenchmark(("ours/" + group).c_str(),
                                     [mine](benchmark::State& state) {
                                         Bytes out;
                                         for (auto _ : state) {
                                             for (const Job* job : mine) {
                                                 out.resize(job->rowBytes * job->height);
                                                 benchmark::DoNotOptimize(DecodeOurs(*job, out));
                                             }
                                             benchmark::ClobberMemory();
                                         }
                                     })
            ->Unit(benchmark::kMicrosecond);
        for (size_t p = 0; p < peers.size(); ++p) {
            const std::vector<const Job*> theirs = members(group, covered[p]);
            if (theirs.size() != mine.size()) continue;
            const Peer* peer = &peers[p];
            benchmark::RegisterBenchmark((std::string(peer->name) + "/" + group).c_str(),
                                         [theirs, peer](benchmark::State& state) {
                                             Bytes scratch;
                                             for (auto _ : state) {
                                                 for (const Job* job : theirs) {
                                                     benchmark::DoNotOptimize(peer->decode(*job, scratch));
                                                 }
                                                 benchmark::ClobberMemory();
                                             }
                                         })
                ->Unit(benchmark::kMicrosecond);
        }
    }

    bench::MedianReporter reporter;
    int count = int(options.size());
    bench::RunInterleaved(count, options.data(), reporter);

    std::printf("\n%-24s %6s %12s", "group", "files", "ours us");
    for (const Peer& peer : peers) std::printf(" %12s %7s", peer.name, "ratio");
    std::printf("\n");
    for (const std::string& group : groups) {
        const double mine = reporter.Median("ours/" + group);
        std::printf("%-24s %6zu %12.1f", group.c_str(), members(group, ours).size(), mine);
        std::vector<std::pair<std::string, double>> times;
        for (const Peer& peer : peers) {
            const double t = reporter.Median(std::string(peer.name) + "/" + group);
            if (t > 0.0) {
                std::printf(" %12.1f %7.3f", t, mine / t);
            } else {
                std::printf(" %12s %7s", "-", "-");
            }
            times.emplace_back(peer.name, t);
        }
        std::printf("\n");
        bench::PrintRow("png decode " + group, "us", mine, times);
    }
    std::printf("png files=%zu agree=%d\n", jobs.size(), agree);
    return agree == int(jobs.size()) ? 0 : 1;
}
