#include "standin/win32/automation_objects.h"

#include "platform/win32/com_object.h"
#include "platform/win32/wide_text.h"
#include "standin/win32/dispatch_object.h"

namespace standin_win32 {
namespace {

using platform_win32::ComPtr;

std::function<void(int)> counter(const std::shared_ptr<ServerState>& state) {
  return [weak = std::weak_ptr<ServerState>(state)](int change) {
    const auto alive = weak.lock();
    if (!alive) return;
    alive->outsideObjects += change;
    if (change < 0 && alive->outsideObjects == 0 && alive->lastObjectGone) alive->lastObjectGone();
  };
}

std::function<bool()> refusal(const std::shared_ptr<ServerState>& state) {
  return [state] { return state->busy(); };
}

// `object` into `result`, or "no object".
void setObject(VARIANT& result, ComPtr<IDispatch> object) {
  result.vt = VT_DISPATCH;
  result.pdispVal = nullptr;
  if (object) object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&result.pdispVal));
}

void setNumber(VARIANT& result, int number) {
  result.vt = VT_I4;
  result.lVal = number;
}

ComPtr<IDispatch> makeView(std::shared_ptr<ServerState> state, int number) {
  std::vector<Member> members = {
      {L"LookupAll",
       {},
       [state, number](const std::vector<Argument>&, VARIANT& result) {
         setNumber(result, state->automation.lookupAll(number));
         return S_OK;
       }},
      {L"CreateLookup",
       {Parameter::kText},
       [state, number](const std::vector<Argument>& arguments, VARIANT& result) {
         const auto answer = state->automation.createLookup(
             number, platform_win32::utf8FromWide(std::get<std::wstring>(arguments[0])));
         if (!answer && state->leaveWithoutAnswer) state->leaveWithoutAnswer();
         setNumber(result, answer.value_or(0));
         return S_OK;
       }},
  };
  return ComPtr<IDispatch>::adopt(
      new DispatchObject(std::move(members), refusal(state), counter(state)));
}

standin::CreateArgument createArgument(const Argument& argument) {
  if (const auto* number = std::get_if<std::int16_t>(&argument)) return *number;
  return platform_win32::utf8FromWide(std::get<std::wstring>(argument));
}

ComPtr<IDispatch> makeViews(std::shared_ptr<ServerState> state) {
  std::vector<Member> members = {
      {L"Create",
       {Parameter::kIntegerOrText, Parameter::kIntegerOrText},
       [state](const std::vector<Argument>& arguments, VARIANT& result) {
         const std::string path =
             state->automation.create(createArgument(arguments[0]), createArgument(arguments[1]));
         const int number = state->automation.viewNumber(path);
         setObject(result, number > 0 ? makeView(state, number) : ComPtr<IDispatch>());
         return S_OK;
       }},
  };
  return ComPtr<IDispatch>::adopt(
      new DispatchObject(std::move(members), refusal(state), counter(state)));
}

class ClassFactory final : public platform_win32::ComObject<IClassFactory> {
 public:
  explicit ClassFactory(std::shared_ptr<ServerState> state)
      : ComObject(IID_IClassFactory), state_(std::move(state)) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    if (state_->busy()) return RPC_E_SERVERCALL_RETRYLATER;
    try {
      return makeApplication(state_, true)->QueryInterface(iid, object);
    } catch (...) {
      return E_OUTOFMEMORY;  // nothing may leave through COM
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    counter(state_)(lock ? +1 : -1);
    return S_OK;
  }

 private:
  ~ClassFactory() override = default;

  std::shared_ptr<ServerState> state_;
};

}  // namespace

ComPtr<IDispatch> makeApplication(std::shared_ptr<ServerState> state, bool counted) {
  std::vector<Member> members = {
      {L"Views",
       {},
       [state](const std::vector<Argument>&, VARIANT& result) {
         const bool none = state->automation.views() == standin::kNoObject;
         setObject(result, none ? ComPtr<IDispatch>() : makeViews(state));
         return S_OK;
       }},
      {L"GetOpenDBName",
       {},
       [state](const std::vector<Argument>&, VARIANT& result) {
         const std::wstring path = platform_win32::wideFromUtf8(state->automation.getOpenDBName());
         result.vt = VT_BSTR;
         result.bstrVal = SysAllocStringLen(path.data(), static_cast<UINT>(path.size()));
         return S_OK;
       }},
  };
  return ComPtr<IDispatch>::adopt(
      new DispatchObject(std::move(members), refusal(state), counted ? counter(state) : nullptr));
}

ComPtr<IClassFactory> makeClassFactory(std::shared_ptr<ServerState> state) {
  return ComPtr<IClassFactory>::adopt(new ClassFactory(std::move(state)));
}

}  // namespace standin_win32
