#include "startup/com/com_act_automation.h"

#include <oleauto.h>

#include <chrono>
#include <vector>

#include "platform/win32/wide_text.h"
#include "startup/com/busy_retry.h"
#include "startup/com/call_thread.h"

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

// An object of the server, held by the caller's thread and called and
// released on the call thread.
class RemoteObject {
 public:
  RemoteObject(std::shared_ptr<CallThread> calls, ComPtr<IDispatch> object)
      : calls_(std::move(calls)), object_(std::move(object)) {}
  ~RemoteObject() { calls_->release(object_); }
  RemoteObject(const RemoteObject&) = delete;
  RemoteObject& operator=(const RemoteObject&) = delete;

  // Calls `member` by name on the call thread; what `use` makes of the
  // answer (there, too), or an empty value when the call failed.
  template <typename Use>
  auto call(const wchar_t* member, WORD flags, Use use) -> decltype(use(std::declval<Variant&>())) {
    IDispatch* object = object_.get();
    return calls_->make([object, member, flags, use]() -> decltype(use(std::declval<Variant&>())) {
      Variant answer;
      if (FAILED(callByName(*object, member, flags, {}, &answer))) return {};
      return use(answer);
    });
  }

  CallThread& calls() const { return *calls_; }
  const std::shared_ptr<CallThread>& sharedCalls() const { return calls_; }
  IDispatch* get() const { return object_.get(); }

 private:
  std::shared_ptr<CallThread> calls_;
  ComPtr<IDispatch> object_;
};

class ComView : public common::ActView {
 public:
  ComView(std::shared_ptr<CallThread> calls, ComPtr<IDispatch> view)
      : view_(std::move(calls), std::move(view)) {}

  bool LookupAll() override {
    IDispatch* view = view_.get();
    return SUCCEEDED(view_.calls().run(
        [view] { return callByName(*view, L"LookupAll", DISPATCH_METHOD, {}, nullptr); }));
  }

  std::optional<std::int32_t> CreateLookup(std::string& idList) override {
    IDispatch* view = view_.get();
    const std::wstring text = platform_win32::wideFromUtf8(idList);
    return view_.calls().make([view, text]() -> std::optional<std::int32_t> {
      Bstr ids(text);
      VARIANTARG argument;
      VariantInit(&argument);
      argument.vt = VT_BSTR | VT_BYREF;
      argument.pbstrVal = ids.address();
      Variant answer;
      if (FAILED(callByName(*view, L"CreateLookup", kWithResult, {argument}, &answer))) {
        return std::nullopt;
      }
      Variant number;
      if (!converted(answer, VT_I4, number)) return std::nullopt;
      return static_cast<std::int32_t>((*number).lVal);
    });
  }

 private:
  RemoteObject view_;
};

class ComViews : public common::ActViews {
 public:
  ComViews(std::shared_ptr<CallThread> calls, ComPtr<IDispatch> views)
      : views_(std::move(calls), std::move(views)) {}

  std::unique_ptr<common::ActView> Create(std::int16_t first, std::int16_t second) override {
    IDispatch* views = views_.get();
    ComPtr<IDispatch> view = views_.calls().make([views, first, second] {
      std::vector<VARIANTARG> arguments(2);
      for (VARIANTARG& argument : arguments) VariantInit(&argument);
      arguments[0].vt = VT_I2;
      arguments[0].iVal = second;
      arguments[1].vt = VT_I2;
      arguments[1].iVal = first;
      Variant answer;
      if (FAILED(callByName(*views, L"Create", kWithResult, arguments, &answer))) {
        return ComPtr<IDispatch>();
      }
      return objectOf(answer);
    });
    return view ? std::make_unique<ComView>(views_.sharedCalls(), std::move(view)) : nullptr;
  }

 private:
  RemoteObject views_;
};

class ComApplication : public common::ActApplication {
 public:
  ComApplication(std::shared_ptr<CallThread> calls, ComPtr<IDispatch> application)
      : application_(std::move(calls), std::move(application)) {}

  std::unique_ptr<common::ActViews> Views() override {
    ComPtr<IDispatch> views =
        application_.call(L"Views", kWithResult, [](Variant& answer) { return objectOf(answer); });
    return views ? std::make_unique<ComViews>(application_.sharedCalls(), std::move(views))
                 : nullptr;
  }

  std::optional<std::string> GetOpenDBName() override {
    return application_.call(
        L"GetOpenDBName", kWithResult, [](Variant& answer) -> std::optional<std::string> {
          Variant text;
          if (!converted(answer, VT_BSTR, text)) return std::nullopt;
          const BSTR value = (*text).bstrVal;
          return platform_win32::utf8FromWide(
              std::wstring_view(value != nullptr ? value : L"", SysStringLen(value)));
        });
  }

 private:
  RemoteObject application_;
};

}  // namespace

ComActAutomation::ComActAutomation(std::chrono::milliseconds callLimit)
    : apartment_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)),
      calls_(std::make_shared<CallThread>(callLimit)) {}

ComActAutomation::~ComActAutomation() {
  calls_.reset();
  if (SUCCEEDED(apartment_)) CoUninitialize();
}

std::unique_ptr<common::ActApplication> ComActAutomation::CreateObject(
    std::string_view progId, const std::function<void()>& meanwhile) {
  if (FAILED(apartment_)) {
    if (meanwhile) meanwhile();
    return nullptr;
  }
  const std::wstring name = platform_win32::wideFromUtf8(progId);
  ComPtr<IDispatch> application = calls_->make(
      [name] {
        ComPtr<IDispatch> made;
        CLSID id{};
        if (FAILED(CLSIDFromProgID(name.c_str(), &id))) return made;
        const auto deadline = std::chrono::steady_clock::now() + kBusyRetryLimit;
        HRESULT status = retryWhileBusy(deadline, [&] {
          return CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, made.putVoid());
        });
        if (status == REGDB_E_CLASSNOTREG) {
          status = CoCreateInstance(id, nullptr, CLSCTX_SERVER, IID_IDispatch, made.putVoid());
        }
        if (FAILED(status)) made.reset();
        return made;
      },
      meanwhile);
  if (!application) return nullptr;
  return std::make_unique<ComApplication>(calls_, std::move(application));
}

}  // namespace startup_com
