#include "profiles/mouse_profiledata.h"

#include "base/json_access.h"
#include "base/json_edit.h"
#include "base/text.h"

namespace morva::profiles {
namespace {

using json::member;
using json::toByte;
using json::toWord;

DpiStageRecord decodeStage(const Json::Value& stage) {
    return {toByte(member(stage, "StageActive")), toByte(member(stage, "StageXY")),
            toWord(member(stage, "StageDPIX")),   toWord(member(stage, "StageDPIY")),
            toByte(member(stage, "StageColorR")), toByte(member(stage, "StageColorG")),
            toByte(member(stage, "StageColorB"))};
}

void encodeStage(const DpiStageRecord& record, Json::Value& stage) {
    json::makeObject(stage);
    stage["StageActive"] = record.enabled;
    stage["StageXY"] = record.separateXY;
    stage["StageDPIX"] = record.dpiX;
    stage["StageDPIY"] = record.dpiY;
    stage["StageColorR"] = record.red;
    stage["StageColorG"] = record.green;
    stage["StageColorB"] = record.blue;
}

CorrectionRecord decodeCorrection(const Json::Value& correction) {
    return {toByte(member(correction, "CorrectPixThresh")),
            toByte(member(correction, "CorrectMinSq")), toByte(member(correction, "CorrectSelect")),
            Utf8ToWide(json::toString(member(correction, "CorrectName")))};
}

} // namespace

std::vector<DpiStageRecord> CMouseProfiledata::ReadDpiStages() {
    const Json::Value& dpiStages = member(DeviceEntry(), "DPIStages");
    if (dpiStages.isObject()) {
        activeStage_ = json::intMember(dpiStages, "StageActive");
        const Json::Value& list = member(dpiStages, "StageDPIs");
        if (list.isArray()) {
            for (Json::ArrayIndex j = 0; j < list.size(); ++j) {
                const DpiStageRecord stage = decodeStage(list[j]);
                if (j < stages_.size()) {
                    stages_[j] = stage;
                } else {
                    stages_.push_back(stage);
                }
            }
        }
    }
    return stages_;
}

void CMouseProfiledata::WriteDpiStages(const std::vector<DpiStageRecord>& stages) {
    stages_ = stages;
    Json::Value& list = json::arrayMember(json::objectMember(entry(), "DPIStages"), "StageDPIs");
    for (Json::ArrayIndex i = 0; i < stages.size(); ++i) {
        encodeStage(stages[i], json::arrayElement(list, i));
    }
}

void CMouseProfiledata::SetActiveDpiStage(int32_t stage) {
    activeStage_ = stage;
    json::objectMember(entry(), "DPIStages")["StageActive"] = stage;
}

MouseSystemRecord CMouseProfiledata::ReadMouseSystem() {
    const Json::Value& stages = member(DeviceEntry(), "SystemStages");
    if (!stages.isObject()) {
        system_ = {};
        return system_;
    }
    system_.doubleClickTime = toWord(member(stages, "DoubleClickTime"));
    system_.mouseSpeed = toWord(member(stages, "MouseSpeed"));
    system_.pointerPrecision = toWord(member(stages, "PointerPrecision"));
    system_.scrollPage = toWord(member(stages, "ScorllPage"));
    system_.wheelScrollLines = toWord(member(stages, "WheelScorlllinse"));
    system_.reportRate = toWord(member(member(DeviceEntry(), "ReportStages"), "StageActive"));
    return system_;
}

void CMouseProfiledata::WriteMouseSystem(const MouseSystemRecord& record) {
    system_ = record;
    Json::Value& stages = json::objectMember(entry(), "SystemStages");
    stages["DoubleClickTime"] = record.doubleClickTime;
    stages["MouseSpeed"] = record.mouseSpeed;
    stages["PointerPrecision"] = record.pointerPrecision;
    stages["ScorllPage"] = record.scrollPage;
    stages["WheelScorlllinse"] = record.wheelScrollLines;
    json::objectMember(entry(), "ReportStages")["StageActive"] = record.reportRate;
}

void CMouseProfiledata::WriteMouseSystem(uint32_t word0, uint32_t word1, uint32_t word2) {
    WriteMouseSystem(MouseSystemRecord::fromWords(word0, word1, word2));
}

std::vector<CorrectionRecord> CMouseProfiledata::ReadCorrectInfo() {
    const Json::Value& list = member(DeviceEntry(), "CorrectInfo");
    std::vector<CorrectionRecord> corrections;
    if (list.isArray()) {
        for (const Json::Value& correction : list) {
            corrections.push_back(decodeCorrection(correction));
        }
    }
    corrections_ = corrections;
    return corrections;
}

} // namespace morva::profiles
