#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Splits one line at a separator into a numbered list of non-empty tokens:
// "a,,b" at "," -> {"a", "b"} with ParsedBlank set by the empty field.
class clsTokeniser {
public:
    clsTokeniser();

    // Makes sToken the separator, splits sData and returns the number of tokens kept.
    // Raises an overflow error for texts longer than 32,766 characters.
    int32_t Tokenise(std::string_view sData, std::string_view sToken);
    int32_t Count() const { return m_lCount; }
    // The token at a zero-based index; outside the array a subscript-out-of-range error.
    const std::string& Element(int32_t lElementIdx) const;
    void Token(std::string_view sToken) { m_sToken = sToken; }
    bool ParsedBlank() const { return m_bParsedBlank; }
    void ParsedBlank(bool bParsedBlank) { m_bParsedBlank = bParsedBlank; }
    // True only for a tokeniser that has split nothing.
    bool IsEmpty() const { return m_lCount < 1 && !m_bParsedBlank; }
    void AddToArray(std::string_view sData);
    // Joins the tokens from lFrom on with the separator: "a,b,c" from 1 -> "b,c".
    std::string GetFlattenedSegments(int32_t lFrom);
    // Index of the first token equal to sElement (or, with bFindSimilar, containing it); -1 if
    // none.
    int32_t Find(std::string_view sElement, bool bFindSimilar) const;
    bool Exists(std::string_view sElement, bool bFindSimilar) const {
        return Find(sElement, bFindSimilar) != -1;
    }

private:
    void ResetArray();
    void TrimArray();

    std::vector<std::string> m_asTokens;
    int32_t m_lCount = 0;
    std::string m_sToken = ",";
    bool m_bParsedBlank = false;
};
