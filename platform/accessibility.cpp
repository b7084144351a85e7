#include "platform/accessibility.h"

#include <objbase.h>
#include <oleacc.h>

#include <vector>

namespace quillon {
namespace {

enum Property : int { kName, kValue };

const GUID& PropertyId(int property) { return property == kName ? PROPID_ACC_NAME : PROPID_ACC_VALUE; }

}  // namespace

AccessibleAnnotations::AccessibleAnnotations() {
  // An apartment of the window's own thread; a thread already in another
  // apartment keeps it, and COM still serves the object there.
  const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  uninitialise_ = SUCCEEDED(joined);
  void* services = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                 &services)))
    services_ = static_cast<IAccPropServices*>(services);
}

AccessibleAnnotations::~AccessibleAnnotations() {
  if (services_) {
    // The annotations of a control are kept by its window handle, which a
    // later window may reuse.
    for (const auto& [key, text] : set_) {
      const MSAAPROPID property = PropertyId(key.second);
      services_->ClearHwndProps(key.first, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property, 1);
    }
    services_->Release();
  }
  if (uninitialise_) CoUninitialize();
}

bool AccessibleAnnotations::SetName(HWND control, const std::u16string& name) { return Set(control, kName, name); }

bool AccessibleAnnotations::SetValue(HWND control, const std::u16string& value) {
  const auto known = set_.find({control, kValue});
  if (known != set_.end() && known->second == value) return true;
  if (!Set(control, kValue, value)) return false;
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
  return true;
}

bool AccessibleAnnotations::Set(HWND control, int property, const std::u16string& text) {
  if (!services_ || !control) return false;
  std::vector<wchar_t> copy(text.begin(), text.end());
  copy.push_back(L'\0');
  const HRESULT result = services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                  PropertyId(property), copy.data());
  if (result == E_NOTIMPL) {
    // Annotations are not implemented here (Wine): none will be.
    services_->Release();
    services_ = nullptr;
  }
  if (FAILED(result)) return false;
  set_[{control, property}] = text;
  return true;
}

}  // namespace quillon
