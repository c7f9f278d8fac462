#include "registry_file.h"

#include <optional>
#include <unordered_map>

#include "ascii_text.h"
#include "number_text.h"
#include "utf8.h"

namespace korvex {
namespace {

constexpr std::string_view kCurrentHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kAnsiHeader = "REGEDIT4";
constexpr std::size_t kHexLineWidth = 77;  // the editor's lines stay within 80 columns

bool IsStringType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }


// UTF-8 to UTF-16LE bytes.
std::string Utf16Bytes(std::string_view utf8_text) {
  std::string out;
  for (char16_t unit : utf8::ToUtf16(utf8_text)) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

// UTF-16LE bytes to UTF-8; nothing for an odd length.
std::optional<std::string> FromUtf16(std::string_view bytes) {
  if (bytes.size() % 2) return std::nullopt;
  std::u16string units;
  for (std::size_t i = 0; i < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  return utf8::FromUtf16(units);
}

// A text the editor can write between quotes: one NUL at the end and no
// control characters, which would break the line.
bool IsQuotableText(std::string_view bytes) {
  if (bytes.empty() || bytes.back() != '\0') return false;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    if (static_cast<unsigned char>(bytes[i]) < 32) return false;
  return true;
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

void AppendHexList(std::string& line, std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto byte = static_cast<unsigned char>(bytes[i]);
    line += HexDigit(byte >> 4);
    line += HexDigit(byte);
    if (i + 1 == bytes.size()) break;
    line += ',';
    std::size_t line_start = line.rfind('\n');
    line_start = line_start == std::string::npos ? 0 : line_start + 1;
    if (line.size() - line_start + 3 > kHexLineWidth) line += "\\\r\n  ";
  }
}

std::string ValueLine(const RegistryFileValue& value, const AnsiCharacters& ansi) {
  std::string line = (value.name.empty() ? "@" : Quoted(value.name)) + "=";
  if (value.type == kRegSz && IsQuotableText(value.bytes)) {
    line += Quoted(ansi.FromAnsi(std::string_view(value.bytes).substr(0, value.bytes.size() - 1)));
  } else if (value.type == kRegDword && value.bytes.size() == 4) {
    line += "dword:";
    for (int i = 3; i >= 0; --i) {
      auto byte = static_cast<unsigned char>(value.bytes[static_cast<std::size_t>(i)]);
      line += HexDigit(byte >> 4);
      line += HexDigit(byte);
    }
  } else {
    if (value.type == kRegBinary) {
      line += "hex:";
    } else {
      line += "hex(";
      std::string digits;
      for (std::uint32_t t = value.type; digits.empty() || t; t >>= 4) digits.insert(digits.begin(), HexDigit(t));
      line += digits + "):";
    }
    // This format holds texts of every string type in UTF-16.
    AppendHexList(line, IsStringType(value.type) ? Utf16Bytes(ansi.FromAnsi(value.bytes)) : value.bytes);
  }
  return line + "\r\n";
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// One to max_digits hexadecimal digits, in either case.
std::optional<std::uint32_t> HexNumber(std::string_view digits, std::size_t max_digits) {
  if (digits.empty() || digits.size() > max_digits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : digits) {
    char lower = AsciiLower(c);
    if (lower >= '0' && lower <= '9')
      number = number << 4 | static_cast<std::uint32_t>(lower - '0');
    else if (lower >= 'a' && lower <= 'f')
      number = number << 4 | static_cast<std::uint32_t>(lower - 'a' + 10);
    else
      return std::nullopt;
  }
  return number;
}

// Reads one logical line of a value: "name"=data.
class ValueParser {
 public:
  ValueParser(std::string_view line, bool current_format, const AnsiCharacters& ansi)
      : rest_(line), current_format_(current_format), ansi_(ansi) {}

  std::optional<RegistryFileValue> Parse(std::string& problem) {
    RegistryFileValue value;
    if (!rest_.empty() && rest_.front() == '@') {
      rest_.remove_prefix(1);  // the key's default value, whose name is empty
    } else {
      auto name = QuotedText();
      if (!name) return Fail(problem, "has a value line that is not \"name\"=data or @=data");
      value.name = *name;
    }
    rest_ = Trimmed(rest_);
    if (rest_.empty() || rest_.front() != '=') return Fail(problem, "has no '=' after the value's name");
    rest_ = Trimmed(rest_.substr(1));
    std::string named = value.name.empty() ? "the key's default value" : "the value \"" + value.name + "\"";
    std::string what = "the data of " + named;
    if (rest_ == "-") return Fail(problem, "deletes " + named);
    if (!rest_.empty() && rest_.front() == '"') {
      auto text = QuotedText();
      if (!text || !Trimmed(rest_).empty()) return Fail(problem, "has malformed text in " + what);
      auto bytes = ansi_.ToAnsi(*text);
      if (!bytes) return Fail(problem, "has a character outside the system's code page in " + what);
      value.type = kRegSz;
      value.bytes = *bytes + '\0';
    } else if (StartsWithIgnoringCase(rest_, "dword:")) {
      auto number = HexNumber(Trimmed(rest_.substr(6)), 8);
      if (!number) return Fail(problem, "has a malformed dword in " + what);
      value.type = kRegDword;
      value.bytes = DwordData(*number);
    } else if (StartsWithIgnoringCase(rest_, "hex")) {
      if (!HexData(value)) return Fail(problem, "has a malformed hex list in " + what);
      if (current_format_ && IsStringType(value.type)) {
        auto text = FromUtf16(value.bytes);
        auto bytes = text ? ansi_.ToAnsi(*text) : std::nullopt;
        if (!bytes) return Fail(problem, "has text the system's code page cannot hold in " + what);
        value.bytes = *bytes;
      } else if (IsStringType(value.type) && ansi_.ToAnsi(ansi_.FromAnsi(value.bytes)) != value.bytes) {
        // Bytes that are no text of the code page could not be written back
        // in the current format, which holds texts as UTF-16.
        return Fail(problem, "has text the system's code page cannot hold in " + what);
      }
    } else {
      return Fail(problem, "has data of an unknown kind in " + what);
    }
    return value;
  }

 private:
  static std::optional<RegistryFileValue> Fail(std::string& problem, std::string text) {
    problem = std::move(text);
    return std::nullopt;
  }

  // A text between quotes with \\ and \" escaped; rest_ moves past it.
  std::optional<std::string> QuotedText() {
    if (rest_.empty() || rest_.front() != '"') return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < rest_.size(); ++i) {
      char c = rest_[i];
      if (c == '"') {
        rest_.remove_prefix(i + 1);
        return text;
      }
      if (c == '\\') {
        if (++i == rest_.size() || (rest_[i] != '\\' && rest_[i] != '"')) return std::nullopt;
        c = rest_[i];
      }
      text += c;
    }
    return std::nullopt;
  }

  // hex:bytes or hex(type):bytes
  bool HexData(RegistryFileValue& value) {
    rest_.remove_prefix(3);
    value.type = kRegBinary;
    if (!rest_.empty() && rest_.front() == '(') {
      std::size_t close = rest_.find(')');
      if (close == std::string_view::npos) return false;
      auto type = HexNumber(rest_.substr(1, close - 1), 8);
      if (!type) return false;
      value.type = *type;
      rest_.remove_prefix(close + 1);
    }
    if (rest_.empty() || rest_.front() != ':') return false;
    std::string_view list = Trimmed(rest_.substr(1));
    if (list.empty()) return true;
    std::size_t start = 0;
    for (;;) {
      std::size_t comma = list.find(',', start);
      std::string_view item = Trimmed(list.substr(start, comma == std::string_view::npos ? list.npos : comma - start));
      auto byte = HexNumber(item, 2);
      if (!byte) return false;
      value.bytes += static_cast<char>(*byte);
      if (comma == std::string_view::npos) return true;
      start = comma + 1;
    }
  }

  std::string_view rest_;
  bool current_format_;  // version 5.00: texts in hex lists are UTF-16
  const AnsiCharacters& ansi_;
};

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(Trimmed(text.substr(start, end - start)));
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string WriteRegistryFile(std::string_view key, const std::vector<RegistryFileValue>& values,
                              const AnsiCharacters& ansi) {
  std::string text = std::string(kCurrentHeader) + "\r\n\r\n[" + std::string(key) + "]\r\n";
  for (const RegistryFileValue& value : values) text += ValueLine(value, ansi);
  text += "\r\n";
  return "\xFF\xFE" + Utf16Bytes(text);
}

RegistryFileContents ReadRegistryFile(std::string_view file, std::string_view key, const AnsiCharacters& ansi) {
  RegistryFileContents contents;
  auto fail = [&contents](std::string problem) {
    contents.values.clear();
    contents.problem = std::move(problem);
    return contents;
  };
  if (file.size() > kLargestRegistryFile)
    return fail("The file is larger than " + IntegerText(static_cast<long long>(kLargestRegistryFile)) +
                " bytes (1 MB), more than the Parameters key can need.");
  // As the registry editor reads it: UTF-16 or UTF-8 by their byte-order
  // marks; a version 5.00 file without one in UTF-8 where its bytes are
  // UTF-8, else in the code page; a REGEDIT4 file in the code page.
  std::string text;
  if (file.starts_with("\xFF\xFE")) {
    auto decoded = FromUtf16(file.substr(2));
    if (!decoded) return fail("The file ends in the middle of a UTF-16 character.");
    text = std::move(*decoded);
  } else if (file.find('\0') != std::string_view::npos) {
    // UTF-16 without its byte-order mark, which the first-line check would call no registry file at all.
    return fail("The file holds NUL bytes, which no line of a registry file holds (UTF-16 without its "
                "byte-order mark?): save it as regedit does, in UTF-16 with the mark, or in UTF-8 or the code page.");
  } else if (file.starts_with("\xEF\xBB\xBF")) {
    if (!utf8::IsValid(file)) return fail("The file is marked as UTF-8 but holds bytes that are no UTF-8.");
    text = file.substr(3);
  } else if (file.starts_with(kCurrentHeader) && utf8::IsValid(file)) {
    text = file;
  } else {
    text = ansi.FromAnsi(file);
  }
  std::vector<std::string_view> lines = Lines(text);
  bool current_format = lines.front() == kCurrentHeader;  // its hex texts are UTF-16
  if (!current_format && (lines.front() != kAnsiHeader || file.starts_with("\xFF\xFE")))
    return fail("The file is no registry file: its first line must be \"" + std::string(kCurrentHeader) +
                "\" or \"" + std::string(kAnsiHeader) + "\".");
  bool in_key = false;
  // Each value read, and whether a later line set its name again; the index
  // finds the earlier one by name without going through them all.
  std::vector<RegistryFileValue> values;
  std::vector<bool> replaced;
  std::unordered_map<std::string, std::size_t> index_of_name;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::size_t line_number = i + 1;
    auto where = [line_number] { return "Line " + IntegerText(static_cast<long long>(line_number)) + " "; };
    std::string_view first = lines[i];
    // A comment is one line, even one ending in a backslash.
    if (first.empty() || first.front() == ';') continue;
    if (first.front() == '[') {
      if (first.back() != ']') return fail(where() + "has a key name without its closing ']'.");
      std::string_view name = first.substr(1, first.size() - 2);
      if (!name.empty() && name.front() == '-') return fail(where() + "deletes a key; only values can be imported.");
      if (!EqualsIgnoringCase(name, key))
        return fail(where() + "names another key, " + std::string(name) + "; only " + std::string(key) +
                    " can be imported.");
      in_key = true;
      continue;
    }
    // A value's data ending in a backslash goes on in the next line.
    std::string line(first);
    while (!line.empty() && line.back() == '\\' && i + 1 < lines.size()) {
      line.pop_back();
      line += lines[++i];
    }
    if (!in_key) return fail(where() + "sets a value before naming its key.");
    // The registry editor ends every line, the last too: a value running to
    // the file's end was cut off, and its data may be cut short with it.
    if (i + 1 == lines.size() && !lines[i].empty())
      return fail(where() + "is cut off: the file ends inside it, without its line end.");
    std::string problem;
    auto value = ValueParser(line, current_format, ansi).Parse(problem);
    if (!value) return fail(where() + problem + ".");
    // Value names are the same in any case, as in the registry; a name set
    // again takes the place of the last setting.
    std::string folded = value->name;
    for (char& c : folded) c = AsciiLower(c);
    auto [found, added] = index_of_name.try_emplace(std::move(folded), values.size());
    if (!added) {
      replaced[found->second] = true;
      found->second = values.size();
    }
    values.push_back(std::move(*value));
    replaced.push_back(false);
  }
  if (!in_key) return fail("The file names no key.");
  for (std::size_t i = 0; i < values.size(); ++i)
    if (!replaced[i]) contents.values.push_back(std::move(values[i]));
  return contents;
}

}  // namespace korvex
