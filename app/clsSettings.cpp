#include "clsSettings.h"

#include "basNumbers.h"

std::string clsSettings::Section(const clsSettingKey& oKey, std::string_view sQualifier) {
    std::string sSection = oKey.m_sSection;
    if (!oKey.m_bQualifiesName) sSection += sQualifier;
    return sSection;
}

std::string clsSettings::Name(const clsSettingKey& oKey, std::string_view sQualifier) {
    std::string sName = oKey.m_sName;
    if (oKey.m_bQualifiesName) sName += sQualifier;
    return sName;
}

std::string clsSettings::Read(const clsSettingKey& oKey, std::string_view sQualifier) const {
    return ReadOr(oKey, oKey.m_sDefault, sQualifier);
}

std::string clsSettings::ReadOr(const clsSettingKey& oKey, const std::string& sDefault,
                                std::string_view sQualifier) const {
    std::string sValue;
    m_oStore.GetRegSetting(oKey.m_eHive, Section(oKey, sQualifier), Name(oKey, sQualifier), sValue,
                           sDefault, oKey.m_bCreate, oKey.m_bAbsolute);
    return sValue;
}

bool clsSettings::Find(const clsSettingKey& oKey, std::string& sValue,
                       std::string_view sQualifier) const {
    return m_oStore.GetRegSetting(oKey.m_eHive, Section(oKey, sQualifier), Name(oKey, sQualifier),
                                  sValue, "", false, oKey.m_bAbsolute);
}

bool clsSettings::FindNumber(const clsSettingKey& oKey, int32_t& lValue,
                             std::string_view sQualifier) const {
    std::string sValue;
    return Find(oKey, sValue, sQualifier) && ParseLong(sValue, lValue);
}

bool clsSettings::Write(const clsSettingKey& oKey, const std::string& sValue,
                        std::string_view sQualifier) const {
    return m_oStore.SetRegSetting(oKey.m_eHive, Section(oKey, sQualifier), Name(oKey, sQualifier),
                                  sValue, oKey.m_bAbsolute);
}

void clsSettings::Remove(const clsSettingKey& oKey, std::string_view sQualifier) const {
    m_oStore.DeleteValue(oKey.m_eHive, Section(oKey, sQualifier), Name(oKey, sQualifier),
                         oKey.m_bAbsolute);
}
