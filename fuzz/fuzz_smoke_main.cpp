// Runs a fuzz entry point over fixed inputs so the target builds and runs in every test run.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void runOne(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> builtIn = {"",
                                              std::string(1, '\0'),
                                              "0",
                                              "|||$$$",
                                              "1|2|3|$A=1|B=2",
                                              std::string(4096, '\xff'),
                                              std::string("\x81\x30\x81\x30|\xa1\xa1", 7),
                                              std::string(70000, '9')};
    for (const auto& input : builtIn)
        runOne(input);
    int files = 0;
    if (argc > 1 && std::filesystem::is_directory(argv[1])) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
            std::ifstream in(entry.path(), std::ios::binary);
            runOne(std::string(std::istreambuf_iterator<char>(in), {}));
            ++files;
        }
    }
    std::printf("ran %zu built-in and %d seed inputs\n", builtIn.size(), files);
    // A target without seeds would start the fuzzer from nothing and smoke-test almost nothing.
    if (argc > 1 && files == 0) {
        std::fprintf(stderr, "no seed inputs in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
