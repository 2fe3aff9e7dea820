// Fuzz target for the settings file: a file of arbitrary bytes is read, written and read again through the
// profile module, and every step is checked against what the format promises.
//
// Input: section, key, value, probe section and probe key (each a length-prefixed string as read by
// FuzzedDataProvider), then the settings file's bytes.

#include "ProfileFile.h"
#include "ProfileText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

std::string g_dir;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "profile_fuzz: %s\n", what);
    std::abort();
}

void Check(bool ok, const char* what)
{
    if (!ok)
        Fail(what);
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Entries of the folder besides the lock file, which stays beside the settings file by design.
int EntryCount(const std::string& dir)
{
    int n = 0;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            n += name != "." && name != ".." && name != "ies.ini.lock";
        }
        ::closedir(d);
    }
    return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(std::string s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// What a read must give back for a stored value: ended at a NUL, blanks around it dropped, cut to 2047.
std::string AsRead(const std::string& value)
{
    std::string v = Trim(value.substr(0, value.find('\0')));
    v.resize(std::min(v.size(), profile::MaxValueLength));
    return v;
}

// An independent decimal-integer check for StrToInt: optional sign, at least one digit, 32-bit range.
bool ReferenceInt(const std::string& text, int& out)
{
    std::string t = text;
    std::size_t digitsFrom = 0;
    if (!t.empty() && t[0] == '+')
        t.erase(0, 1); // from_chars takes no plus sign
    else if (!t.empty() && t[0] == '-')
        digitsFrom = 1;
    if (t.size() == digitsFrom)
        return false;
    for (std::size_t i = digitsFrom; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9')
            return false;
    long long v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || v < INT_MIN || v > INT_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

void CheckStrToInt(const std::string& text)
{
    int expected = 0;
    const bool valid = ReferenceInt(text, expected);
    try {
        const int got = profile::StrToInt(text);
        Check(valid && got == expected, "StrToInt accepted a wrong value or a non-integer");
    } catch (const std::runtime_error& e) {
        Check(!valid, "StrToInt rejected a decimal integer");
        Check(std::string(e.what()) == ("'" + text + "' is not a valid integer value").c_str(),
            "StrToInt message differs");
    }
}

void RemoveDir()
{
    if (!g_dir.empty())
        std::system(("rm -rf '" + g_dir + "'").c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A memory-backed folder keeps the synchronous writes of the module from dominating the run time.
    const char* base = std::getenv("GONILUX_FUZZ_TMP");
    std::string pattern = std::string(base ? base : (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp"))
        + "/gonilux-profile-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        Fail("cannot create a temporary folder");
    g_dir = pattern;
    std::atexit(RemoveDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(40);
    const std::string key = in.ConsumeRandomLengthString(40);
    const std::string value = in.ConsumeRandomLengthString(6000);
    const std::string probeSection = in.ConsumeRandomLengthString(40);
    const std::string probeKey = in.ConsumeRandomLengthString(40);
    const std::string before = in.ConsumeRemainingBytesAsString();

    const std::string path = g_dir + "/ies.ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << before;
    }

    const char* def = "\x01"
                      "default";
    const std::string probeBefore = profile::ReadString(path, probeSection, probeKey, def);
    Check(probeBefore.size() <= profile::MaxValueLength, "read longer than 2047");
    Check(probeBefore.find_first_of(std::string("\r\n\0", 3)) == std::string::npos, "read holds a line end or NUL");
    Check(probeBefore == def || probeBefore.size() == profile::MaxValueLength || Trim(probeBefore) == probeBefore,
        "read keeps blanks around the value");
    CheckStrToInt(probeBefore);
    CheckStrToInt(value);

    bool written = true;
    try {
        profile::WriteString(path, section, key, value);
    } catch (const std::runtime_error& e) {
        written = false;
        Check(std::string(e.what()) == "Unable to write to " + path, "write failure message differs");
    }
    Check(written == profile::CanStore(section, key, value), "write failed on a storable key or stored a bad one");
    Check(EntryCount(g_dir) == 1, "temporary file left behind");
    const std::string after = Slurp(path);
    if (!written) {
        Check(after == before, "failed write changed the file");
        return 0;
    }

    Check(profile::ReadString(path, section, key, def) == AsRead(value), "value does not read back");
    const bool sameKey = Lower(Trim(probeSection)) == Lower(Trim(section)) && Lower(Trim(probeKey)) == Lower(Trim(key));
    const std::string probeAfter = profile::ReadString(path, probeSection, probeKey, def);
    Check(sameKey ? probeAfter == AsRead(value) : probeAfter == probeBefore, "write changed another key");

    // Every byte of the old file survives except within the one line whose value was replaced.
    std::size_t p = 0;
    while (p < before.size() && p < after.size() && before[p] == after[p])
        ++p;
    std::size_t s = 0;
    while (
        s < before.size() - p && s < after.size() - p && before[before.size() - 1 - s] == after[after.size() - 1 - s])
        ++s;
    Check(before.substr(p, before.size() - p - s).find_first_of("\r\n") == std::string::npos, "write lost a line");
    // CR LF, a lone LF and a lone CR each end one line.
    const auto lineEnds = [](const std::string& t) {
        long n = 0;
        for (std::size_t i = 0; i < t.size(); ++i)
            n += t[i] == '\n' || (t[i] == '\r' && (i + 1 == t.size() || t[i + 1] != '\n'));
        return n;
    };
    const auto added = lineEnds(after) - lineEnds(before);
    // At most: the end of an unterminated last line, a section header and the entry.
    Check(added >= 0 && added <= 3, "write added an unexpected number of lines");

    profile::WriteString(path, section, key, value);
    Check(Slurp(path) == after, "writing the same value twice changed the file");
    return 0;
}
