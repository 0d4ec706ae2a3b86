#include "base/json_access.h"

#include <json/reader.h>

#include <gtest/gtest.h>

namespace morva::json {
namespace {

Json::Value parse(const std::string& text) {
    Json::Value v;
    Json::Reader().parse(text, v);
    return v;
}

TEST(JsonAccess, NumbersOfAnyJsonTypeReadWithoutThrowing) {
    struct Case {
        const char* json;
        int32_t expected;
    };
    const Case cases[] = {
        {"5", 5},           {"-7", -7},       {"3.9", 3},       {"-3.9", -3},
        {"true", 1},        {"false", 0},     {"null", 0},      {"\"12\"", 0},
        {"[1]", 0},         {"{\"a\":1}", 0}, {"1e300", 0},     {"4294967297", 1},
        {"7340800", 7340800},
    };
    for (const Case& c : cases) {
        const Json::Value doc = parse(std::string("{\"v\":") + c.json + "}");
        EXPECT_EQ(intMember(doc, "v"), c.expected) << c.json;
    }
}

TEST(JsonAccess, NarrowFieldsKeepTheLowBits) {
    EXPECT_EQ(toByte(Json::Value(300)), 44);
    EXPECT_EQ(toByte(Json::Value(-1)), 0xFF);
    EXPECT_EQ(toWord(Json::Value(0x12345)), 0x2345);
}

TEST(JsonAccess, MemberAndElementOfTheWrongShapeAreNull) {
    const Json::Value doc = parse(R"({"list":[1,2],"text":"x"})");
    EXPECT_TRUE(member(doc, "absent").isNull());
    EXPECT_TRUE(member(member(doc, "text"), "x").isNull()) << "member of a string";
    EXPECT_TRUE(element(member(doc, "list"), 2).isNull()) << "past the end";
    EXPECT_TRUE(element(doc, 0).isNull()) << "index into an object";
    EXPECT_EQ(toInt(element(member(doc, "list"), 1)), 2);
    EXPECT_EQ(toString(member(doc, "text")), "x");
    EXPECT_EQ(toString(member(doc, "list")), "");
    EXPECT_FALSE(toBool(member(doc, "text")));
    EXPECT_TRUE(toBool(element(member(doc, "list"), 0)));
}

} // namespace
} // namespace morva::json
