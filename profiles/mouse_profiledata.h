#pragma once

#include "profiles/basic_profiledata.h"

#include <cstdint>
#include <vector>

namespace morva::profiles {

// The profile object of a mouse: adds the DPI stages ("DPIStages"), the system settings
// ("SystemStages" and "ReportStages") and the sensor corrections ("CorrectInfo", read only).
class CMouseProfiledata : public CBasicProfiledata {
public:
    // Decodes "DPIStages" and merges it into the held stages: stage j of the file replaces held
    // stage j or is appended; held stages beyond the file's count stay. Also takes the active
    // stage from "DPIStages"."StageActive" when "DPIStages" is present.
    std::vector<DpiStageRecord> ReadDpiStages();
    // Sets the seven members of "DPIStages"."StageDPIs"[i] for every position i of the list.
    void WriteDpiStages(const std::vector<DpiStageRecord>& stages);
    int32_t GetActiveDpiStage() const { return activeStage_; }
    // Holds the value and stores it as "DPIStages"."StageActive".
    void SetActiveDpiStage(int32_t stage);

    // All zero when "SystemStages" is absent; the report rate is 0 when "ReportStages" is.
    MouseSystemRecord ReadMouseSystem();
    // Sets the five members of "SystemStages" and "ReportStages"."StageActive".
    void WriteMouseSystem(const MouseSystemRecord& record);
    void WriteMouseSystem(uint32_t word0, uint32_t word1, uint32_t word2);

    std::vector<CorrectionRecord> ReadCorrectInfo();

private:
    std::vector<DpiStageRecord> stages_;
    int32_t activeStage_ = 0;
    MouseSystemRecord system_;
    std::vector<CorrectionRecord> corrections_;
};

} // namespace morva::profiles
