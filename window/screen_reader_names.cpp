#include "screen_reader_names.h"

#include <oleacc.h>

namespace korvex::window {
namespace {

// From oleacc.h, written out so that no GUID library is linked.
constexpr GUID kAccPropServices{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIAccPropServices{0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kAccName{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

bool NameForScreenReaders(const HWND* controls, const wchar_t* const* names, int count) {
  HMODULE ole32 = LoadLibraryW(L"ole32.dll");
  if (!ole32) return false;
  auto initialize = Lookup<HRESULT(WINAPI*)(void*, DWORD)>(ole32, "CoInitializeEx");
  auto create = Lookup<HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**)>(ole32, "CoCreateInstance");
  if (!initialize || !create) return false;
  // The user-interface thread stays in its apartment for the program's life:
  // the shell, for the web link, wants the same.
  initialize(nullptr, COINIT_APARTMENTTHREADED);
  IAccPropServices* services = nullptr;
  if (FAILED(create(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                    reinterpret_cast<void**>(&services))))
    return false;
  bool named = true;
  for (int i = 0; i < count; ++i)
    named &= SUCCEEDED(services->SetHwndPropStr(controls[i], OBJID_CLIENT, CHILDID_SELF, kAccName, names[i]));
  services->Release();
  return named;
}

}  // namespace korvex::window
