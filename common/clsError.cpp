#include "clsError.h"

clsError::clsError(int32_t lNumber, std::string sSource, std::string sDescription)
    : std::runtime_error(sDescription), m_lNumber(lNumber), m_sSource(std::move(sSource)),
      m_sDescription(std::move(sDescription)) {}

std::string clsError::DefaultDescription(int32_t lNumber) {
    switch (lNumber) {
    case ErrNumber::Overflow:
        return "Overflow";
    case ErrNumber::SubscriptOutOfRange:
        return "Subscript out of range";
    case ErrNumber::DivisionByZero:
        return "Division by zero";
    case ErrNumber::TypeMismatch:
        return "Type mismatch";
    case ErrNumber::OutOfStringSpace:
        return "Out of string space";
    case ErrNumber::FileNotFound:
        return "File not found";
    case ErrNumber::PermissionDenied:
        return "Permission denied";
    case ErrNumber::PathFileAccess:
        return "Path/File access error";
    case ErrNumber::ObjectNotSet:
        return "Object variable or With block variable not set";
    default:
        return "Application-defined or object-defined error";
    }
}

void clsError::Raise(int32_t lNumber, const std::string& sSource) {
    throw clsError(lNumber, sSource, DefaultDescription(lNumber));
}
