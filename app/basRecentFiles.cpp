#include "basRecentFiles.h"

#include "clsSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <algorithm>

namespace {

// The place in the list, counted from 1.
std::string Place(int lIndex) {
    return std::to_string(lIndex + 1);
}

// The same file always gives the same text, however it was reached.
std::string NormalPath(const std::string& sPath) {
    const QFileInfo oInfo(QString::fromStdString(sPath));
    const QString sCanonical = oInfo.canonicalFilePath();
    return QDir::cleanPath(sCanonical.isEmpty() ? oInfo.absoluteFilePath() : sCanonical)
        .toStdString();
}

std::vector<std::string> StoredFiles() {
    std::vector<std::string> asFiles;
    for (int i = 0; i < kRecentFilesMax; ++i) {
        const std::string sPath = GetSettings().Read(Settings::RecentFile, Place(i));
        if (!sPath.empty() && std::find(asFiles.begin(), asFiles.end(), sPath) == asFiles.end())
            asFiles.push_back(sPath);
    }
    return asFiles;
}

void StoreFiles(const std::vector<std::string>& asFiles) {
    const clsSettings& oSettings = GetSettings();
    for (int i = 0; i < kRecentFilesMax; ++i) {
        if (size_t(i) < asFiles.size())
            oSettings.Write(Settings::RecentFile, asFiles[size_t(i)], Place(i));
        else
            oSettings.Remove(Settings::RecentFile, Place(i));
    }
}

} // namespace

std::vector<std::string> GetRecentFiles() {
    const std::vector<std::string> asStored = StoredFiles();
    std::vector<std::string> asFiles;
    for (const std::string& sPath : asStored)
        if (QFileInfo(QString::fromStdString(sPath)).isFile()) asFiles.push_back(sPath);
    if (asFiles != asStored) StoreFiles(asFiles);
    return asFiles;
}

void AddRecentFile(const std::string& sPath) {
    const std::string sNormal = NormalPath(sPath);
    std::vector<std::string> asFiles = StoredFiles();
    std::erase(asFiles, sNormal);
    asFiles.insert(asFiles.begin(), sNormal);
    if (asFiles.size() > size_t(kRecentFilesMax)) asFiles.resize(size_t(kRecentFilesMax));
    StoreFiles(asFiles);
}

void RemoveRecentFile(const std::string& sPath) {
    std::vector<std::string> asFiles = StoredFiles();
    const size_t nBefore = asFiles.size();
    std::erase(asFiles, sPath);
    std::erase(asFiles, NormalPath(sPath));
    if (asFiles.size() != nBefore) StoreFiles(asFiles);
}

void ClearRecentFiles() {
    StoreFiles({});
}
