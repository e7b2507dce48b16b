#include "startup/com/com_act_automation.h"

#include <oleauto.h>

#include <chrono>
#include <vector>

#include "platform/win32/wide_text.h"
#include "startup/com/busy_retry.h"

namespace startup_com {
namespace {

using platform_win32::Bstr;
using platform_win32::ComPtr;
using platform_win32::Variant;

constexpr WORD kWithResult = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

// Frees what a failing Invoke put into its exception description.
struct ExceptionInfo {
  EXCEPINFO info{};
  ExceptionInfo() = default;
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;
  ~ExceptionInfo() {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
};

// Calls `member` of `object` by name with the arguments (last first, as
// DISPPARAMS holds them); the answer goes to `result` when one is asked for.
HRESULT callByName(IDispatch& object, const wchar_t* member, WORD flags,
                   std::vector<VARIANTARG> arguments, Variant* result) {
  const auto deadline = std::chrono::steady_clock::now() + kBusyRetryLimit;
  std::wstring name = member;
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT status = retryWhileBusy(
      deadline, [&] { return object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id); });
  if (FAILED(status)) return status;
  DISPPARAMS parameters{arguments.empty() ? nullptr : arguments.data(), nullptr,
                        static_cast<UINT>(arguments.size()), 0};
  return retryWhileBusy(deadline, [&] {
    if (result != nullptr) VariantClear(result->get());
    ExceptionInfo exception;
    UINT argumentError = 0;
    return object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                         result != nullptr ? result->get() : nullptr, &exception.info,
                         &argumentError);
  });
}

// The object an answer holds, or none.
ComPtr<IDispatch> objectOf(const Variant& answer) {
  if (answer.type() == VT_DISPATCH) return ComPtr<IDispatch>::share((*answer).pdispVal);
  if (answer.type() == VT_UNKNOWN && (*answer).punkVal != nullptr) {
    return ComPtr<IUnknown>::share((*answer).punkVal).query<IDispatch>(IID_IDispatch);
  }
  return {};
}

// Converts the answer to `type` into `into` as Visual Basic converts it;
// false when it does not convert.
bool converted(Variant& answer, VARTYPE type, Variant& into) {
  return SUCCEEDED(VariantChangeType(into.get(), answer.get(), 0, type));
}

class ComView : public common::ActView {
 public:
  explicit ComView(ComPtr<IDispatch> view) : view_(std::move(view)) {}

  bool LookupAll() override {
    return SUCCEEDED(callByName(*view_.get(), L"LookupAll", DISPATCH_METHOD, {}, nullptr));
  }

  std::optional<std::int32_t> CreateLookup(std::string& idList) override {
    Bstr ids(platform_win32::wideFromUtf8(idList));
    VARIANTARG argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR | VT_BYREF;
    argument.pbstrVal = ids.address();
    Variant answer;
    if (FAILED(callByName(*view_.get(), L"CreateLookup", kWithResult, {argument}, &answer))) {
      return std::nullopt;
    }
    Variant number;
    if (!converted(answer, VT_I4, number)) return std::nullopt;
    return static_cast<std::int32_t>((*number).lVal);
  }

 private:
  ComPtr<IDispatch> view_;
};

class ComViews : public common::ActViews {
 public:
  explicit ComViews(ComPtr<IDispatch> views) : views_(std::move(views)) {}

  std::unique_ptr<common::ActView> Create(std::int16_t first, std::int16_t second) override {
    std::vector<VARIANTARG> arguments(2);
    for (VARIANTARG& argument : arguments) VariantInit(&argument);
    arguments[0].vt = VT_I2;
    arguments[0].iVal = second;
    arguments[1].vt = VT_I2;
    arguments[1].iVal = first;
    Variant answer;
    if (FAILED(callByName(*views_.get(), L"Create", kWithResult, arguments, &answer))) {
      return nullptr;
    }
    ComPtr<IDispatch> view = objectOf(answer);
    return view ? std::make_unique<ComView>(std::move(view)) : nullptr;
  }

 private:
  ComPtr<IDispatch> views_;
};

class ComApplication : public common::ActApplication {
 public:
  explicit ComApplication(ComPtr<IDispatch> application) : application_(std::move(application)) {}

  std::unique_ptr<common::ActViews> Views() override {
    Variant answer;
    if (FAILED(callByName(*application_.get(), L"Views", kWithResult, {}, &answer))) {
      return nullptr;
    }
    ComPtr<IDispatch> views = objectOf(answer);
    return views ? std::make_unique<ComViews>(std::move(views)) : nullptr;
  }

  std::optional<std::string> GetOpenDBName() override {
    Variant answer;
    if (FAILED(callByName(*application_.get(), L"GetOpenDBName", kWithResult, {}, &answer))) {
      return std::nullopt;
    }
    Variant text;
    if (!converted(answer, VT_BSTR, text)) return std::nullopt;
    const BSTR value = (*text).bstrVal;
    return platform_win32::utf8FromWide(
        std::wstring_view(value != nullptr ? value : L"", SysStringLen(value)));
  }

 private:
  ComPtr<IDispatch> application_;
};

}  // namespace

ComActAutomation::ComActAutomation()
    : apartment_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
  if (FAILED(apartment_)) return;
  const ComPtr<IMessageFilter> filter = makeBusyRetryFilter();
  filterRegistered_ = SUCCEEDED(CoRegisterMessageFilter(filter.get(), previousFilter_.put()));
}

ComActAutomation::~ComActAutomation() {
  if (filterRegistered_) {
    ComPtr<IMessageFilter> ours;
    CoRegisterMessageFilter(previousFilter_.get(), ours.put());
  }
  if (SUCCEEDED(apartment_)) CoUninitialize();
}

std::unique_ptr<common::ActApplication> ComActAutomation::CreateObject(std::string_view progId) {
  if (FAILED(apartment_)) return nullptr;
  CLSID id{};
  if (FAILED(CLSIDFromProgID(platform_win32::wideFromUtf8(progId).c_str(), &id))) return nullptr;
  const auto deadline = std::chrono::steady_clock::now() + kBusyRetryLimit;
  ComPtr<IDispatch> application;
  HRESULT status = retryWhileBusy(deadline, [&] {
    return CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, application.putVoid());
  });
  if (status == REGDB_E_CLASSNOTREG) {
    status = CoCreateInstance(id, nullptr, CLSCTX_SERVER, IID_IDispatch, application.putVoid());
  }
  if (FAILED(status) || !application) return nullptr;
  return std::make_unique<ComApplication>(std::move(application));
}

}  // namespace startup_com
