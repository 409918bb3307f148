// Replays a fuzz target's corpus without libFuzzer: every file named, and every file of every
// folder named, goes once through LLVMFuzzerTestOneInput. Built with the sanitizers, a crash,
// a leak or a failed FUZZ_CHECK ends the run; the name of the input in hand was printed just
// before. A run that finds no input fails too, so a corpus that went missing does not pass.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// The files of a folder in name order (so every run replays in the same order), or the file.
std::vector<fs::path> Inputs(const fs::path& named) {
    if (!fs::is_directory(named))
        return {named};
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(named))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::fprintf(stderr, "Running: %s\n", file.c_str());
    // An empty input still goes through with a valid pointer, as libFuzzer hands it.
    const uint8_t none = 0;
    LLVMFuzzerTestOneInput(bytes.empty() ? &none : reinterpret_cast<const uint8_t*>(bytes.data()),
                           bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i)
        for (const fs::path& file : Inputs(argv[i])) {
            if (!Replay(file))
                return 1;
            ++replayed;
        }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
