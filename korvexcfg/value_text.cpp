// Stored values in words, for every command's output.
#include "value_text.h"

#include <array>

#include "ascii_text.h"
#include "number_text.h"
#include "parameter_format.h"
#include "stored_form.h"

namespace korvex::cfg {
namespace {

constexpr std::array<std::string_view, 12> kTypeNames{
    "REG_NONE",  "REG_SZ",   "REG_EXPAND_SZ",       "REG_BINARY",
    "REG_DWORD", "REG_DWORD_BIG_ENDIAN", "REG_LINK", "REG_MULTI_SZ",
    "REG_RESOURCE_LIST", "REG_FULL_RESOURCE_DESCRIPTOR", "REG_RESOURCE_REQUIREMENTS_LIST", "REG_QWORD"};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string TypeName(std::uint32_t type) {
  return type < kTypeNames.size() ? std::string(kTypeNames[type]) : "type " + IntegerText(type);
}

std::string HexBytes(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (!out.empty()) out += ' ';
    out += HexDigit(byte >> 4);
    out += HexDigit(byte);
  }
  return out;
}

std::string DescribeStored(const Setting& setting, const FoundValue& value, const AnsiCharacters& ansi) {
  if (value.status == kNotFound) return "absent";
  if (!value.Present()) return "unreadable (error " + IntegerText(value.status) + ")";
  const std::string& data = value.stored.data;
  if (IsText(setting.kind) && value.stored.type == kRegSz && data.find('\0') == data.size() - 1) {
    std::string_view bytes(data.data(), data.size() - 1);
    std::string_view kind = DiskKindName(ListIndexForDiskCode(bytes).value_or(-1));
    if (setting.kind == SettingKind::DiskType && !bytes.empty() && !kind.empty()) return std::string(kind);
    return Quoted(ansi.FromAnsi(setting.kind == SettingKind::Path ? ShownFilePath(bytes) : std::string(bytes)));
  }
  if (!IsText(setting.kind) && value.stored.type == kRegDword && data.size() == 4) {
    auto number = static_cast<std::int32_t>(DwordNumber(data));
    switch (setting.kind) {
      case SettingKind::OnOff:
        if (number == 0 || number == 1) return number ? "on" : "off";
        break;
      case SettingKind::Megabytes: {
        std::string megabytes = NumberToText(MegabytesFromPages(number));
        return megabytes.substr(megabytes.find_first_not_of(' ')) + " MB (" + IntegerText(number) + " pages)";
      }
      case SettingKind::Seconds:
        return IntegerText(number) + " seconds";
      default:
        break;
    }
    return IntegerText(number);
  }
  return TypeName(value.stored.type) + " " + HexBytes(data);
}

std::string Printable(std::string_view text) {
  std::string out;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (byte < 0x20 || byte == 0x7F) out += std::string("\\x") + HexDigit(byte >> 4) + HexDigit(byte);
    else out += c;
  }
  return out;
}

}  // namespace korvex::cfg
