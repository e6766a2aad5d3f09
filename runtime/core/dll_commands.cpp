// Resolution of DLL commands, the checked call, and the DLL-command directory.
#include "runtime/core/dll_commands.h"

#include <cstring>
#include <vector>

#include "runtime/core/program_directory.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/runtime_error_report.h"

namespace talv {
namespace {

struct Entry {
  std::string library;
  std::string name;
  int32_t argument_words;
  void* address;
  void* module;
};

std::vector<Entry>& Table() {
  static std::vector<Entry> table;
  return table;
}
std::string& Directory() {
  static std::string directory;
  return directory;
}
const DllLoader* g_loader = nullptr;
const DllLoader& Loader() { return g_loader ? *g_loader : PlatformDllLoader(); }

// Tried in this order for an entry without a library name.
const char* const kSystemLibraries[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                        "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};

Entry& EntryAt(int32_t index) {
  auto& table = Table();
  if (index < 0 || size_t(index) >= table.size())
    RaiseRuntimeErrorF("DLL命令序号 %d 超出DLL命令表范围", int(index));
  return table[size_t(index)];
}

// The export that an entry names: "#n" is ordinal n (its low 16 bits).
struct ExportName {
  const char* name;  // null for an ordinal
  uint16_t ordinal;
};
ExportName ParseExportName(const std::string& name) {
  if (name.empty() || name[0] != '#') return {name.c_str(), 0};
  uint16_t ordinal = 0;
  for (size_t i = 1; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
    ordinal = uint16_t(ordinal * 10 + (name[i] - '0'));
  return {nullptr, ordinal};
}

void* FindExport(void* module, const ExportName& e) {
  // Ordinal 0 names no export.
  if (!e.name && e.ordinal == 0) return nullptr;
  return Loader().find(module, e.name, e.ordinal);
}

void* LoadNamedLibrary(const std::string& file) {
  const DllLoader& loader = Loader();
  if (file.find(':') != std::string::npos) return loader.load(file.c_str());
  void* module = nullptr;
  if (!Directory().empty()) module = loader.load((Directory() + file).c_str());
  const std::string program_directory = ProgramDirectory();
  if (!module && !program_directory.empty())
    module = loader.load((program_directory + "\\" + file).c_str());
  if (!module) module = loader.load(file.c_str());
  return module;
}

}  // namespace

void SetDllCommands(const DllCommandDeclaration* declarations, int32_t count) {
  UnloadDllCommandLibraries();
  auto& table = Table();
  table.clear();
  for (int32_t i = 0; i < count; ++i) {
    const DllCommandDeclaration& d = declarations[i];
    int32_t bytes = d.argument_bytes > 0 ? d.argument_bytes : 0;
    table.push_back(
        Entry{d.library ? d.library : "", d.name ? d.name : "", (bytes + 3) / 4, nullptr, nullptr});
  }
}

int32_t DllCommandCount() { return int32_t(Table().size()); }

int32_t DllCommandArgumentWords(int32_t index) {
  auto& table = Table();
  return index >= 0 && size_t(index) < table.size() ? table[size_t(index)].argument_words : 0;
}

void* ResolveDllCommand(int32_t index) {
  Entry& entry = EntryAt(index);
  if (entry.address) return entry.address;
  const ExportName e = ParseExportName(entry.name);
  const DllLoader& loader = Loader();
  void* module = nullptr;
  void* address = nullptr;
  if (entry.library.empty()) {
    for (const char* library : kSystemLibraries) {
      module = loader.load(library);
      if (!module) continue;
      address = FindExport(module, e);
      if (address) break;
      loader.unload(module);
      module = nullptr;
    }
  } else {
    module = LoadNamedLibrary(entry.library);
    if (module) address = FindExport(module, e);
  }
  if (!address) {
    if (module) loader.unload(module);
    if (entry.library.empty())
      RaiseRuntimeErrorF("无法找到指定DLL库文件中的输出命令“%s”", entry.name.c_str());
    RaiseRuntimeErrorF("无法找到指定DLL库文件“%s”中的输出命令“%s”", entry.library.c_str(),
                       entry.name.c_str());
  }
  entry.address = address;
  entry.module = module;
  return address;
}

void* DllCommandModule(int32_t index) {
  auto& table = Table();
  return index >= 0 && size_t(index) < table.size() ? table[size_t(index)].module : nullptr;
}

uint64_t CallDllCommandArray(int32_t index, const DllWord* words) {
  void* function = ResolveDllCommand(index);
  const int32_t count = Table()[size_t(index)].argument_words;
  int32_t delta = 0;
  uint64_t result = platform::CallOutsideFunction(function, words, count, &delta);
  if (delta != 0) RaiseIndexedRuntimeError(RuntimeErrorIndex::DllStack, 0, 0);
  return result;
}

void UnloadDllCommandLibraries() {
  const DllLoader& loader = Loader();
  for (Entry& entry : Table()) {
    if (entry.module) loader.unload(entry.module);
    entry.module = nullptr;
    entry.address = nullptr;
  }
}

const std::string& DllCommandDirectory() { return Directory(); }
void SetDllCommandDirectoryText(const std::string& directory) { Directory() = directory; }

void SetDllLoader(const DllLoader* loader) { g_loader = loader; }

}  // namespace talv
