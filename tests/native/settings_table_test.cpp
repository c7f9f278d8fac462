// The places that list the settings by hand (korvexcfg's help, its output
// schema, the DSC manifest) name exactly the settings of the table. That
// each order names every setting once is checked where the orders are made.
#include <rapidjson/document.h>

#include <fstream>
#include <set>
#include <sstream>

#include "command_line.h"
#include "editor_harness.h"

namespace korvex::testing {
namespace {

std::set<std::string> TableNames(const char* Setting::*column) {
  std::set<std::string> names;
  for (const Setting& setting : kSettings) names.insert(setting.*column);
  return names;
}

std::set<std::string> Strings(const rapidjson::Value& array) {
  std::set<std::string> strings;
  for (const auto& item : array.GetArray()) strings.insert(item.GetString());
  return strings;
}

rapidjson::Document JsonFile(const std::string& path) {
  std::ifstream file(std::string(KORVEX_SOURCE_DIR) + "/" + path);
  std::stringstream text;
  text << file.rdbuf();
  rapidjson::Document document;
  document.Parse(text.str().c_str());
  EXPECT_FALSE(document.HasParseError()) << path;
  return document;
}

class NoFiles : public cfg::Files {
 public:
  std::optional<std::string> Read(std::string_view) override { return std::nullopt; }
  bool Write(std::string_view, std::string_view) override { return false; }
  bool Exists(std::string_view) override { return false; }
};

class NoSystem : public cfg::SystemState {
 public:
  cfg::ServiceInfo Service() override { return {}; }
  cfg::VolumeInfo Volume(char) override { return {}; }
  std::uint64_t PhysicalMemory() override { return 0; }
  std::optional<cfg::SystemStart> SystemStartedAt() override { return std::nullopt; }
  bool FolderExists(std::string_view) override { return false; }
  std::optional<std::uint64_t> FreeBytes(std::string_view) override { return std::nullopt; }
};

using SettingsTableTest = EditorTest;

TEST_F(SettingsTableTest, TheListsWrittenOutByHandNameExactlyTheTablesSettings) {
  rapidjson::Document schema = JsonFile("korvexcfg/korvexcfg-output.schema.json");
  EXPECT_EQ(Strings(schema["definitions"]["valueName"]["enum"]), TableNames(&Setting::value_name));
  EXPECT_EQ(Strings(schema["definitions"]["settingName"]["enum"]), TableNames(&Setting::name));
  EXPECT_EQ(schema["properties"]["values"]["maxItems"].GetUint(), kValueCount);

  rapidjson::Document manifest = JsonFile("deploy/korvane.ramdisk.dsc.resource.json");
  std::set<std::string> properties;
  for (const auto& property : manifest["schema"]["embedded"]["properties"].GetObject())
    if (property.name.GetString()[0] != '_') properties.insert(property.name.GetString());  // DSC's own
  EXPECT_EQ(properties, TableNames(&Setting::property));

  NoFiles files;
  NoSystem system;
  cfg::Environment environment{registry, cp1252, volume, files, lock, system};
  std::string help = cfg::RunCommand({"help"}, environment).out;
  std::size_t input = help.find("\n--input");
  ASSERT_NE(input, std::string::npos) << help;
  std::size_t open = help.find('(', input), close = help.find(')', open);
  std::string listed = help.substr(open + 1, close - open - 1);
  std::set<std::string> help_properties;
  std::istringstream words(listed);
  for (std::string word; words >> word;) help_properties.insert(word.substr(0, word.find(',')));
  EXPECT_EQ(help_properties, TableNames(&Setting::property)) << listed;
}

}  // namespace
}  // namespace korvex::testing
