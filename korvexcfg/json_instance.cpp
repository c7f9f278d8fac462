#include "json_instance.h"

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include "utf8.h"

namespace korvex::cfg {
namespace {

// A whole number has at most this many digits: more is no setting's value.
constexpr std::size_t kLongestNumber = 10;

// Takes the events of one flat object; any other shape stops the reader with
// the reason in `problem`.
class InstanceHandler {
 public:
  InstanceHandler(std::span<const InstanceProperty> properties, InstanceReading& reading)
      : properties_(properties), reading_(reading) {}

  bool StartObject() {
    if (started_) return WrongType("an object");
    started_ = true;
    return true;
  }
  bool EndObject(rapidjson::SizeType) { return true; }
  bool Key(const char* text, rapidjson::SizeType length, bool) {
    std::string_view name(text, length);
    if (!utf8::IsValid(name)) return Fail("a property name is no valid UTF-8 text");
    for (std::size_t i = 0; i < properties_.size(); ++i) {
      if (properties_[i].name != name) continue;
      for (const InstanceValue& value : reading_.values)
        if (value.property == i) return Fail("the property " + std::string(name) + " is given twice");
      current_ = i;
      return true;
    }
    std::string known;
    for (const InstanceProperty& property : properties_) known += (known.empty() ? "" : ", ") + std::string(property.name);
    return Fail("unknown property \"" + Shown(name) + "\" (the properties are " + known + ")");
  }
  bool String(const char* text, rapidjson::SizeType length, bool) {
    std::string_view value(text, length);
    if (!Expect(InstanceProperty::Type::Text, "a string")) return false;
    if (!utf8::IsValid(value)) return Fail(Name() + " is no valid UTF-8 text");
    for (char c : value)
      if (static_cast<unsigned char>(c) < 0x20) return Fail(Name() + " holds a control character");
    return Take(std::string(value));
  }
  bool RawNumber(const char* text, rapidjson::SizeType length, bool) {
    std::string_view number(text, length);
    if (!Expect(InstanceProperty::Type::Whole, "a number")) return false;
    std::string_view digits = number.starts_with('-') ? number.substr(1) : number;
    if (digits.find_first_not_of("0123456789") != std::string_view::npos)
      return Fail(Name() + " needs a whole number, not " + std::string(number.substr(0, 40)));
    if (digits.size() > kLongestNumber) return Fail(Name() + " is too large a number");
    return Take(std::string(number));
  }
  bool Bool(bool value) {
    if (!Expect(InstanceProperty::Type::Boolean, value ? "true" : "false")) return false;
    return Take(value ? "on" : "off");
  }
  bool Null() { return WrongType("null"); }
  bool StartArray() { return WrongType("an array"); }
  bool EndArray(rapidjson::SizeType) { return false; }
  // Numbers arrive as text (RawNumber); these are never called.
  bool Int(int) { return false; }
  bool Uint(unsigned) { return false; }
  bool Int64(std::int64_t) { return false; }
  bool Uint64(std::uint64_t) { return false; }
  bool Double(double) { return false; }

 private:
  static std::string Shown(std::string_view text) {
    return text.size() > 40 ? std::string(text.substr(0, 40)) + "..." : std::string(text);
  }
  std::string Name() const { return std::string(properties_[current_].name); }
  bool Fail(std::string problem) {
    reading_.problem = std::move(problem);
    return false;
  }
  bool WrongType(std::string_view what) {
    if (!started_) return Fail("the desired state must be one JSON object, not " + std::string(what));
    return Fail(Name() + " cannot be " + std::string(what) + "; it takes " + TypeName(properties_[current_].type));
  }
  static std::string TypeName(InstanceProperty::Type type) {
    switch (type) {
      case InstanceProperty::Type::Text: return "a string";
      case InstanceProperty::Type::Whole: return "a whole number";
      case InstanceProperty::Type::Boolean: return "true or false";
    }
    return "";
  }
  bool Expect(InstanceProperty::Type type, std::string_view what) {
    return (started_ && properties_[current_].type == type) || WrongType(what);
  }
  bool Take(std::string text) {
    reading_.values.push_back({current_, std::move(text)});
    return true;
  }

  std::span<const InstanceProperty> properties_;
  InstanceReading& reading_;
  bool started_ = false;
  std::size_t current_ = 0;
};

}  // namespace

InstanceReading ReadInstance(std::string_view json, std::span<const InstanceProperty> properties) {
  InstanceReading reading;
  if (json.size() > kLargestJsonInput) {
    reading.problem = "the desired state is larger than 1 MB";
    return reading;
  }
  // The reader takes a NUL byte for the end of its input.
  if (json.find('\0') != std::string_view::npos || !utf8::IsValid(json)) {
    reading.problem = "the desired state is no valid UTF-8 text";
    return reading;
  }
  InstanceHandler handler(properties, reading);
  // Read in place, in a copy that ends in a NUL: the reader then needs no
  // stack of its own (whose first use offsets a null pointer in this version).
  // Its recursion ends at the handler, which takes no nested value.
  std::string text(json);
  rapidjson::InsituStringStream stream(text.data());
  rapidjson::Reader reader;
  // Whole numbers are checked as written, never rounded through a double.
  constexpr unsigned kFlags =
      rapidjson::kParseInsituFlag | rapidjson::kParseValidateEncodingFlag | rapidjson::kParseNumbersAsStringsFlag;
  rapidjson::ParseResult result = reader.Parse<kFlags>(stream, handler);
  if (!result) {
    if (reading.problem.empty())
      reading.problem = std::string("the desired state is no JSON: ") + rapidjson::GetParseError_En(result.Code()) +
                        " (at byte " + std::to_string(result.Offset()) + ")";
    reading.values.clear();
  }
  return reading;
}

}  // namespace korvex::cfg
