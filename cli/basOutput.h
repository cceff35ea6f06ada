#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Pieces of the calculator's output formats, shared by the 2008 and today's figures.

enum class OutputFormat { Text, Json, Csv };

// A JSON string with its quotes and escapes.
void AppendJsonString(std::string& sOut, std::string_view sText);
// A CSV field, quoted when it holds a comma, a quote or a line end.
void AppendCsvField(std::string& sOut, std::string_view sText);
// Money text of the price file in use: "£12.50" (as FormatCurrency).
void AppendCurrency(std::string& sOut, float fValue);

// One input's row of results in the output format: the keys of a JSON object on one line,
// the columns of a CSV line (each followed by a comma, the last "error" column left empty),
// or the input's name and a line per figure ("  Caption    £1.50") in text. Every figure is
// written once and each format takes what it shows; numbers are written straight into the
// output, which is the only buffer.
class clsRowWriter {
public:
    clsRowWriter(std::string& sOut, OutputFormat eFormat) : m_sOut(sOut), m_eFormat(eFormat) {}

    OutputFormat Format() const { return m_eFormat; }
    // Starts a row: text captions are nCaptionWidth wide.
    void Begin(std::string_view sInput, size_t nCaptionWidth);
    void End();

    // A money figure: a number in JSON and CSV, money text and sTextSuffix in text (when
    // bShown).
    void Money(std::string_view sKey, std::string_view sCaption, float fValue,
               std::string_view sTextSuffix = {}, bool bShown = true);
    // A price that may not exist: null in JSON, empty in CSV, "unreachable" in text.
    void Price(std::string_view sKey, std::string_view sCaption,
               const std::optional<float>& ofPrice);
    // Values of JSON and CSV only: a whole number (or null / empty), a flag, a text.
    void Whole(std::string_view sKey, std::optional<int64_t> olValue);
    void Flag(std::string_view sKey, bool bValue);
    void Text(std::string_view sKey, std::string_view sValue);
    // Texts: a JSON list of strings, one CSV field joined with "; ", a text line each.
    void List(std::string_view sKey, std::string_view sCaption,
              const std::vector<std::string>& asItems);
    // A line of text output only.
    void Line(std::string_view sCaption, std::string_view sValue);

    // For a value of its own shape: the JSON key (with the comma before it) or nothing in
    // CSV; after the value, Next() ends a CSV column.
    std::string& Key(std::string_view sKey);
    void Next();
    // Text output: the line's caption; the caller appends the value and the line end.
    std::string& Caption(std::string_view sCaption);

private:
    // The output, with the figures gathered since the last write appended first.
    std::string& Out() {
        if (m_nPending) Flush();
        return m_sOut;
    }
    void Flush();
    // Room among the pending figures for a field whose value takes at most nValue characters,
    // the JSON key written there; null when the key or the value is too long for it.
    char* Field(std::string_view sKey, size_t nValue);
    // The field written up to p: the CSV comma after it.
    void Commit(char* p);
    // A JSON value or CSV column as it stands.
    void Raw(std::string_view sKey, std::string_view sValue);

    std::string& m_sOut;
    OutputFormat m_eFormat;
    size_t m_nCaptionWidth = 0;
    bool m_bFirst = true; // no JSON key written yet in this row
    // JSON and CSV figures in a row follow each other: they are put together here and
    // appended at once.
    static constexpr size_t kMaxKey = 60;
    static constexpr size_t kMaxValue = 256;
    char m_acPending[4096];
    size_t m_nPending = 0;
};

// " (25%)" for a profit's percentage, or nothing: written into acBuffer.
std::string_view PercentSuffix(char (&acBuffer)[24], std::optional<int32_t> olPercent);
