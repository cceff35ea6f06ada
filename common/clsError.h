#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Error numbers of the failures raised towards callers; the texts follow the
// classic runtime's wording so that messages read the same everywhere.
namespace ErrNumber {
constexpr int32_t Overflow = 6;
constexpr int32_t SubscriptOutOfRange = 9;
constexpr int32_t DivisionByZero = 11;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t OutOfStringSpace = 14;
constexpr int32_t FileNotFound = 53;
constexpr int32_t PermissionDenied = 70;
constexpr int32_t PathFileAccess = 75;
constexpr int32_t ObjectNotSet = 91;
// Base number for errors that components define themselves.
constexpr int32_t ObjectError = -2147221504;
} // namespace ErrNumber

// A numbered failure with a description, raised to the caller's failure path.
class clsError : public std::runtime_error {
public:
    clsError(int32_t lNumber, std::string sSource, std::string sDescription);

    int32_t Number() const noexcept { return m_lNumber; }
    const std::string& Source() const noexcept { return m_sSource; }
    const std::string& Description() const noexcept { return m_sDescription; }

    // Standard descriptions for the numbered runtime errors above.
    static std::string DefaultDescription(int32_t lNumber);
    // Raises a runtime error with its standard description.
    [[noreturn]] static void Raise(int32_t lNumber, const std::string& sSource);

private:
    int32_t m_lNumber;
    std::string m_sSource;
    std::string m_sDescription;
};
