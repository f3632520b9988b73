// The name-day reader, from the file through to GetNameDay. Property: for every day
// of a leap year the name is the file's line of that day of a common year, "xxx" when
// the file is shorter, and "Szökőnap" on 29 February.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_check.h"
#include "platform/errors.h"
#include "store/entry_store.h"
#include "store/nevnapok.h"

namespace {

// One file per fuzzing process, rewritten for every input.
const std::string& ScratchFile() {
    static const std::string path = "/dev/shm/tivorn-fuzz-names-" + std::to_string(getpid()) + ".txt";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = ScratchFile();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);

    bool reported = false;
    const TNevnapok names(Utf8ToWide(path), [&] { reported = true; });
    FUZZ_CHECK(!reported);
    const std::vector<std::wstring> lines = ParseIndexText(BytesOf(data, size));

    size_t dayOfCommonYear = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(2024, month); ++day) {
            const std::wstring name = names.GetNameDay(Date{2024, month, day});
            if (month == 2 && day == 29) {
                FUZZ_CHECK(name == TNevnapok::kLeapDay);
                continue;
            }
            const std::wstring expected =
                dayOfCommonYear < lines.size() ? lines[dayOfCommonYear] : std::wstring(TNevnapok::kPlaceholder);
            FUZZ_CHECK(name == expected);
            // A common year reads the same lines.
            FUZZ_CHECK(names.GetNameDay(Date{2023, month, day}) == expected);
            ++dayOfCommonYear;
        }
    }
    FUZZ_CHECK(dayOfCommonYear == TNevnapok::kDaysInCommonYear);
    return 0;
}
