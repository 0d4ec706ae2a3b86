#include "base/file_io.h"
#include "base/text.h"
#include "hid/device_model_catalog.h"

#include <algorithm>
#include <json/reader.h>
#include <json/value.h>
#include <set>
#include <stdexcept>
#include <tuple>

// The device models file, a JSON document:
//
//   { "software": <product>,
//     "models": [ { "tabName": "mouse",                       device bar, data folder
//                   "displayName": { "en_US": "Mouse", ... },  by language name
//                   "deviceType": "mouse",    keyboard | mouse | mousePad | wirelessMouse | headset
//                   "vendorId": "0x0000", "productId": "0x0000",
//                   "modelIndex": 1, "discoveryOrder": 1,
//                   "interfaces": [ { "interface": 1, "collection": 4, "usagePage": "0xFF1C",
//                                     "usage": "0x0092", "role": "primary" | "companion" } ],
//                   "page": "XML\\DeviceXml\\mousedevice.xml", "lightFolder": "tavro_light",
//                   "ledCount": 6, "keyCount": 7, "powerDisplay": 0, "mousePageValue": -1,
//                   "product": <product> },                    optional
//                 ... ] }
//   <product> = { "kind": 1, "integer2": 1, "brand": "", "modelCode": "", "firstName": "",
//                 "secondName": "", "versionText": "" }
//
// Numbers that are identifiers may be written as "0x…" texts or as plain numbers.
namespace morva::hid {
namespace {

constexpr int kMaxLightsOrKeys = 1024;
constexpr int kMaxModelIndex = 255;
constexpr Json::ArrayIndex kMaxInterfacesPerModel = 8;

// Thrown with a message that names the field; the model's name is added by the caller.
struct FieldError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const Json::Value& member(const Json::Value& object, const char* name) {
    const Json::Value* value = object.find(name, name + std::char_traits<char>::length(name));
    if (value == nullptr) {
        throw FieldError(std::string("\"") + name + "\" is missing");
    }
    return *value;
}

std::string text(const Json::Value& object, const char* name) {
    const Json::Value& value = member(object, name);
    if (!value.isString()) {
        throw FieldError(std::string("\"") + name + "\" must be a text");
    }
    return value.asString();
}

int whole(const Json::Value& object, const char* name, int low, int high) {
    const Json::Value& value = member(object, name);
    if (!value.isInt() || value.asInt() < low || value.asInt() > high) {
        throw FieldError(std::string("\"") + name + "\" must be a whole number from " +
                         std::to_string(low) + " to " + std::to_string(high));
    }
    return value.asInt();
}

int wholeOr(const Json::Value& object, const char* name, int low, int high, int fallback) {
    return object.isMember(name) ? whole(object, name, low, high) : fallback;
}

// A 16-bit identifier: "0x0C45" or 3141.
uint16_t identifier(const Json::Value& object, const char* name) {
    const Json::Value& value = member(object, name);
    if (value.isString()) {
        const std::string digits = value.asString();
        size_t used = 0;
        unsigned long number = 0;
        const bool hex =
            digits.size() > 2 && (digits[0] == '0') && (digits[1] == 'x' || digits[1] == 'X');
        try {
            number = hex ? std::stoul(digits.substr(2), &used, 16) : 0;
        } catch (const std::exception&) {
            used = 0;
        }
        if (hex && used == digits.size() - 2 && number <= 0xFFFF) {
            return static_cast<uint16_t>(number);
        }
    } else if (value.isUInt() && value.asUInt() <= 0xFFFF) {
        return static_cast<uint16_t>(value.asUInt());
    }
    throw FieldError(std::string("\"") + name +
                     "\" must be a 16-bit number, written as \"0x0000\" to \"0xFFFF\"");
}

uint16_t deviceTypeOf(const std::string& name) {
    static const std::pair<std::string_view, DeviceType> kTypes[] = {
        {"keyboard", kDeviceKeyboard}, {"mouse", kDeviceMouse},
        {"mousePad", kDeviceMousePad}, {"wirelessMouse", kDeviceWirelessMouse},
        {"headset", kDeviceHeadset},
    };
    for (const auto& [typeName, type] : kTypes) {
        if (name == typeName) {
            return type;
        }
    }
    throw FieldError("\"deviceType\" \"" + name +
                     "\" is none of keyboard, mouse, mousePad, wirelessMouse, headset");
}

uint16_t roleOf(const std::string& name) {
    if (name == "primary") {
        return kRolePrimary;
    }
    if (name == "companion") {
        return kRoleCompanion;
    }
    throw FieldError("\"role\" \"" + name + "\" is neither primary nor companion");
}

// One path component, so that it can name the model's data folder.
void checkTabName(const std::string& name) {
    if (name.empty() || name.size() > 64 || name == "." || name == ".." ||
        name.find_first_of("/\\") != std::string::npos || name.find('\0') != std::string::npos) {
        throw FieldError("\"tabName\" must be a plain folder name of 1 to 64 bytes");
    }
}

ProductRecord productOf(const Json::Value& object) {
    if (!object.isObject()) {
        throw FieldError("a product record must be an object");
    }
    ProductRecord record;
    record.kind = whole(object, "kind", 0, 2);
    record.integer2 = whole(object, "integer2", INT32_MIN, INT32_MAX);
    record.brand = text(object, "brand");
    record.modelCode = text(object, "modelCode");
    record.firstName = text(object, "firstName");
    record.secondName = text(object, "secondName");
    record.versionText = text(object, "versionText");
    return record;
}

std::vector<ModelInterface> interfacesOf(const Json::Value& rows) {
    if (!rows.isArray() || rows.empty() || rows.size() > kMaxInterfacesPerModel) {
        throw FieldError("\"interfaces\" must list 1 to " + std::to_string(kMaxInterfacesPerModel) +
                         " interface rows");
    }
    std::vector<ModelInterface> interfaces;
    std::set<std::tuple<uint16_t, uint16_t, uint16_t, uint16_t>> seen;
    for (const Json::Value& row : rows) {
        if (!row.isObject()) {
            throw FieldError("an interface row must be an object");
        }
        ModelInterface entry;
        entry.interfaceNumber = static_cast<uint16_t>(whole(row, "interface", 0, 0xFFFF));
        entry.collectionNumber = static_cast<uint16_t>(whole(row, "collection", 0, 0xFFFF));
        entry.usagePage = identifier(row, "usagePage");
        entry.usage = identifier(row, "usage");
        entry.role = roleOf(text(row, "role"));
        if (!seen.emplace(entry.interfaceNumber, entry.collectionNumber, entry.usagePage,
                          entry.usage)
                 .second) {
            throw FieldError("two interface rows describe the same collection");
        }
        interfaces.push_back(entry);
    }
    const auto primaries = std::count_if(interfaces.begin(), interfaces.end(),
                                         [](const auto& row) { return row.role == kRolePrimary; });
    if (primaries != 1) {
        throw FieldError("\"interfaces\" must have exactly one primary row");
    }
    return interfaces;
}

std::map<std::string, std::string, std::less<>> displayNamesOf(const Json::Value& names) {
    if (!names.isObject()) {
        throw FieldError("\"displayName\" must map language names to texts");
    }
    std::map<std::string, std::string, std::less<>> result;
    for (const std::string& language : names.getMemberNames()) {
        if (!names[language].isString() || names[language].asString().empty()) {
            throw FieldError("\"displayName\" \"" + language + "\" must be a text");
        }
        result.emplace(language, names[language].asString());
    }
    return result;
}

DeviceModel modelOf(const Json::Value& object) {
    if (!object.isObject()) {
        throw FieldError("a model must be an object");
    }
    DeviceModel model;
    model.tabName = text(object, "tabName");
    checkTabName(model.tabName);
    model.displayNames = displayNamesOf(member(object, "displayName"));
    model.deviceType = deviceTypeOf(text(object, "deviceType"));
    model.vendorId = identifier(object, "vendorId");
    model.productId = identifier(object, "productId");
    model.modelIndex = whole(object, "modelIndex", 0, kMaxModelIndex);
    model.discoveryOrder = whole(object, "discoveryOrder", INT32_MIN, INT32_MAX);
    model.interfaces = interfacesOf(member(object, "interfaces"));
    model.page.pageXml = text(object, "page");
    model.page.lightFolder = text(object, "lightFolder");
    model.page.ledCount = whole(object, "ledCount", 0, kMaxLightsOrKeys);
    model.page.keyCount = whole(object, "keyCount", 0, kMaxLightsOrKeys);
    model.page.powerDisplay = wholeOr(object, "powerDisplay", 0, 1, 0);
    model.page.mousePageValue = wholeOr(object, "mousePageValue", INT32_MIN, INT32_MAX, -1);
    if (object.isMember("product")) {
        model.product = productOf(object["product"]);
    }
    return model;
}

std::string modelLabel(Json::ArrayIndex index, const Json::Value& object) {
    std::string label = "model " + std::to_string(index);
    if (object.isObject() && object["tabName"].isString()) {
        label += " (\"" + object["tabName"].asString() + "\")";
    }
    return label;
}

// What must differ between models: tab names (they name folders, compared ignoring case as
// lookups are), model indices and discovery orders.
void checkModelsDiffer(const std::vector<DeviceModel>& models) {
    for (size_t a = 0; a < models.size(); ++a) {
        for (size_t b = a + 1; b < models.size(); ++b) {
            const std::string pair = "models " + std::to_string(a) + " and " + std::to_string(b);
            if (equalsIgnoreCase(models[a].tabName, models[b].tabName)) {
                throw FieldError(pair + " have the same \"tabName\"");
            }
            if (models[a].modelIndex == models[b].modelIndex) {
                throw FieldError(pair + " have the same \"modelIndex\"");
            }
            if (models[a].discoveryOrder == models[b].discoveryOrder) {
                throw FieldError(pair + " have the same \"discoveryOrder\"");
            }
        }
    }
}

} // namespace

DeviceModelFile parseDeviceModels(std::string_view text) {
    Json::Value root;
    Json::Reader reader(Json::Features::all());
    try {
        if (!reader.parse(text.data(), text.data() + text.size(), root, false)) {
            return {std::nullopt, "not JSON: " + reader.getFormattedErrorMessages()};
        }
    } catch (const std::exception& error) {
        return {std::nullopt, std::string("not JSON: ") + error.what()};
    }
    if (!root.isObject() || !root["models"].isArray() || root["models"].empty()) {
        return {std::nullopt, "the document must be an object with a non-empty \"models\" list"};
    }
    std::vector<DeviceModel> models;
    const Json::Value& rows = root["models"];
    for (Json::ArrayIndex index = 0; index < rows.size(); ++index) {
        try {
            models.push_back(modelOf(rows[index]));
        } catch (const FieldError& error) {
            return {std::nullopt, modelLabel(index, rows[index]) + ": " + error.what()};
        }
    }
    try {
        checkModelsDiffer(models);
        ProductRecord software = productOf(member(root, "software"));
        return {DeviceModelCatalog(std::move(models), std::move(software)), {}};
    } catch (const FieldError& error) {
        return {std::nullopt, error.what()};
    }
}

DeviceModelFile readDeviceModelFile(const std::filesystem::path& path) {
    const FileReadResult file = readRegularFile(path);
    if (!file.ok()) {
        return {std::nullopt, path.string() + ": " + describeFileReadStatus(file.status)};
    }
    DeviceModelFile parsed = parseDeviceModels(file.content);
    if (!parsed.catalog) {
        parsed.error = path.string() + ": " + parsed.error;
    }
    return parsed;
}

} // namespace morva::hid
