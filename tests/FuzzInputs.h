#pragma once

// Inputs for fuzzing the parsers without a coverage fuzzer: a portable random series and
// byte-level mutations biased towards what the parsers react to. Shared by the fuzz tests
// of the model and the runner of the fuzz drivers in the sanitizer build.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// splitmix64: the same series on every platform and library, unlike the standard
// distributions.
class clsRandom {
public:
    explicit clsRandom(uint64_t lSeed) : m_lState(lSeed) {}
    uint64_t Next() {
        uint64_t z = (m_lState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t Below(size_t n) { return n ? size_t(Next() % n) : 0; }
    bool OneIn(size_t n) { return Below(n) == 0; }
    template <typename T> const T& Pick(const std::vector<T>& a) { return a[Below(a.size())]; }

private:
    uint64_t m_lState;
};

// The input as a C++ literal, so that a failure can be reproduced by pasting it.
inline std::string Quoted(std::string_view s) {
    static const char* const kHex = "0123456789abcdef";
    std::string sOut = "\"";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            sOut += '\\';
            sOut += c;
        } else if (u >= 0x20 && u < 0x7f) {
            sOut += c;
        } else {
            // Closing and reopening the literal keeps a following hex digit out of the escape.
            sOut += "\\x";
            sOut += kHex[u >> 4];
            sOut += kHex[u & 15];
            sOut += "\"\"";
        }
    }
    return sOut + '"';
}

// Byte-level mutations in the manner of a coverage fuzzer, biased towards the characters
// and words the parsers react to.
class clsMutator {
public:
    clsMutator(clsRandom& oRandom, std::string sSpecials, std::vector<std::string> asWords,
               size_t nMaxInput)
        : m_oRandom(oRandom), m_sSpecials(std::move(sSpecials)), m_asWords(std::move(asWords)),
          m_nMaxInput(nMaxInput) {}

    std::string Mutate(std::string s, const std::vector<std::string>& asSeeds) {
        const size_t nSteps = 1 + m_oRandom.Below(4);
        for (size_t i = 0; i < nSteps; ++i)
            Step(s, asSeeds);
        if (s.size() > m_nMaxInput) s.resize(m_nMaxInput);
        return s;
    }

    std::string RandomText() {
        std::string s(m_oRandom.Below(m_nMaxInput / 4), '\0');
        for (char& c : s)
            c = m_oRandom.OneIn(3) ? char(m_oRandom.Next()) : Special();
        return s;
    }

private:
    char Special() { return m_sSpecials[m_oRandom.Below(m_sSpecials.size())]; }
    size_t Position(const std::string& s) { return m_oRandom.Below(s.size() + 1); }

    void Step(std::string& s, const std::vector<std::string>& asSeeds) {
        clsRandom& r = m_oRandom;
        switch (r.Below(10)) {
        case 0:
            if (!s.empty()) s[r.Below(s.size())] = char(r.Next());
            break;
        case 1:
            if (!s.empty()) s[r.Below(s.size())] = Special();
            break;
        case 2:
            s.insert(Position(s), 1, Special());
            break;
        case 3:
            if (!s.empty()) s.erase(r.Below(s.size()), 1 + r.Below(8));
            break;
        case 4: { // repeat a piece elsewhere
            const size_t nFrom = r.Below(s.size());
            const std::string sPiece = s.substr(nFrom, 1 + r.Below(24));
            s.insert(Position(s), sPiece);
            break;
        }
        case 5:
            s.insert(Position(s), r.Pick(m_asWords));
            break;
        case 6: { // a word in place of a number or flag
            const size_t nStart = s.find_first_of("0123456789TF", r.Below(s.size() + 1));
            if (nStart == std::string::npos) break;
            const size_t nEnd = s.find_first_of("|,[\r\n", nStart);
            s.replace(nStart, nEnd == std::string::npos ? nEnd : nEnd - nStart, r.Pick(m_asWords));
            break;
        }
        case 7: { // splice in a piece of another seed
            const std::string& sOther = r.Pick(asSeeds);
            const size_t nFrom = r.Below(sOther.size());
            s.insert(Position(s), sOther.substr(nFrom, 1 + r.Below(64)));
            break;
        }
        case 8:
            s.resize(r.Below(s.size() + 1));
            break;
        default: { // change the letter case of a piece
            const size_t nFrom = r.Below(s.size());
            const size_t nEnd = std::min(s.size(), nFrom + 1 + r.Below(12));
            for (size_t i = nFrom; i < nEnd; ++i)
                if (std::isalpha(static_cast<unsigned char>(s[i]))) s[i] ^= 0x20;
            break;
        }
        }
    }

    clsRandom& m_oRandom;
    std::string m_sSpecials;
    std::vector<std::string> m_asWords;
    size_t m_nMaxInput;
};

// Numbers at the edges of the types the readers convert to, and texts that are nearly numbers.
inline const std::vector<std::string> kNumberWords = {
    "0",
    "1",
    "-1",
    "2",
    "3",
    "5",
    "255",
    "256",
    "-0",
    "+1",
    " 1",
    "1 ",
    "32767",
    "32768",
    "-32768",
    "-32769",
    "65535",
    "2147483647",
    "2147483648",
    "-2147483648",
    "-2147483649",
    "4294967296",
    "9.2E+18",
    "1E+19",
    "3.402823E+38",
    "3.402824E+38",
    "-3.402823E+38",
    "1E+39",
    "1E-45",
    "1E-46",
    "1.401298E-45",
    "16777217",
    "1.0000001",
    "0.5",
    "2.5",
    "1,5",
    "1.5E+07",
    "1e5",
    "1E",
    "1E+",
    ".",
    "-",
    "NaN",
    "inf",
    "Infinity",
    "0x1F",
    "&H10",
    "1.2.3",
    "99999999999999999999999999999999999999999",
    "0.000000000000000000000000000000000000000000001"};

} // namespace fuzz
