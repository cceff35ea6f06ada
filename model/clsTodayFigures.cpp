#include "clsTodayFigures.h"

namespace {

std::string_view FlagNote(SourceFlag eFlag) {
    return eFlag == SourceFlag::ThirdParty ? "third-party figure" : "unknown, placeholder value";
}

} // namespace

std::string_view SourceFlagText(SourceFlag eFlag) {
    switch (eFlag) {
    case SourceFlag::Published:
        return "published";
    case SourceFlag::Corroborated:
        return "corroborated";
    case SourceFlag::ThirdParty:
        return "third-party";
    case SourceFlag::Unknown:
        break;
    }
    return "unknown";
}

std::string clsTodayNote::Text() const {
    std::string s;
    AppendText(s);
    return s;
}

void clsTodayNote::AppendText(std::string& sOut) const {
    sOut.append(m_sWhat).append(": ").append(FlagNote(m_eFlag));
}

void clsTodayFigures::Clear() {
    // The notes and the date keep their room, for the next calculation to write over.
    std::vector<clsTodayNote> aoNotes = std::move(m_aoNotes);
    std::string sDate = std::move(m_sDataDate);
    *this = clsTodayFigures();
    m_aoNotes = std::move(aoNotes);
    m_sDataDate = std::move(sDate);
}
