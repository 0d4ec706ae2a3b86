#pragma once

#include "profiles/profile_records.h"

#include <cstdint>
#include <filesystem>
#include <json/value.h>
#include <vector>

namespace morva::profiles {

// The profile object of a device: holds the device entry of the current profile file, decodes
// its parts into records (Read…), encodes edited records back into it (Write…) and saves it.
// Only LoadDeviceEntry, Save, SaveDeviceEntry and WriteDocument touch files. A member that is
// absent or of the wrong JSON type reads as 0; a wider number keeps its low bits.
// Not thread-safe: each device object uses its own.
class CBasicProfiledata {
public:
    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = delete;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

    // An empty path is ignored.
    void SetProfilePath(const std::filesystem::path& path);
    const std::filesystem::path& GetProfilePath() const { return profilePath_; }
    // An empty path is ignored.
    void SetDefaultProfilePath(const std::filesystem::path& path);
    const std::filesystem::path& GetDefaultProfilePath() const { return defaultProfilePath_; }
    void SetLightConfigPath(const std::filesystem::path& path) { lightConfigPath_ = path; }
    const std::filesystem::path& GetLightConfigPath() const { return lightConfigPath_; }
    // Index into "Device"; the device objects always use 0.
    void SetDeviceEntryIndex(uint32_t index) { entryIndex_ = index; }
    uint32_t GetDeviceEntryIndex() const { return entryIndex_; }

    // Loads "Device"[index] of the file as the held entry. A file that is missing, is no JSON
    // object or has no device entry (an object) there is repaired: the entry comes from the
    // default profile file and the file is written with it. Returns a copy of the held entry.
    Json::Value LoadDeviceEntry(const std::filesystem::path& path);
    // The last load found a file that could not be read: it was kept as ".bad" and repaired.
    bool LastLoadFoundDamage() const { return lastLoadFoundDamage_; }
    // The held device entry (null until loaded).
    const Json::Value& DeviceEntry() const { return deviceEntry_; }

    // SaveDeviceEntry with the held entry and the profile path.
    virtual bool Save();
    // Re-reads the file at path, sets its "Device"[index] to entry and writes it back, keeping
    // every other member of the root and every other element of "Device".
    virtual bool SaveDeviceEntry(const Json::Value& entry, const std::filesystem::path& path);
    // Writes document as the whole file.
    virtual bool WriteDocument(const Json::Value& document, const std::filesystem::path& path);

    LightInfoRecord ReadLightInfo();
    // Replaces "LightInfo" by an object holding exactly its eleven members.
    void WriteLightInfo(const LightInfoRecord& record);
    // One record per "LightList" element; a null element gives an all-zero record whose present
    // flag is 0, every other element one whose present flag is 1.
    std::vector<LightInfoRecord> ReadLightList();

    // Reads the light configuration file (the user's light effects) and holds it.
    Json::Value LoadLightConfig(const std::filesystem::path& path);
    // The steps of the effect file that the light configuration names for the held effect
    // ("LightInfo"[index][mode]."Guid" + ".light"). A relative name is taken inside the folder
    // of the light configuration file (the device data folder), never the working directory.
    std::vector<LedEffectStep> LoadLightEffect();

    // One record per "KeyList" element; key index = the element's position.
    std::vector<KeyAssignmentRecord> ReadKeyList();
    // "KeyList"[i]."Assignment" := the encoded current assignment of element i;
    // "DefaultAssignment" is never written.
    void WriteKeyList(const std::vector<KeyAssignmentRecord>& keys);

protected:
    // The held device entry, for the Write… operations of the derived classes.
    Json::Value& entry() { return deviceEntry_; }

private:
    std::filesystem::path profilePath_;
    std::filesystem::path defaultProfilePath_;
    LightInfoRecord lightInfo_;
    std::vector<LightInfoRecord> ledList_;
    Json::Value deviceEntry_;
    bool lastLoadFoundDamage_ = false;
    std::filesystem::path lightConfigPath_;
    std::vector<LedEffectStep> effectSteps_;
    Json::Value lightConfig_;
    std::filesystem::path lightConfigFolder_;
    std::vector<KeyAssignmentRecord> keyList_;
    uint32_t entryIndex_ = 0;
};

} // namespace morva::profiles
