// The hand-written IDispatch as clients call it: arguments in the forms
// Visual Basic and VBScript pass, and the errors for everything else. (Names
// in any letter case, an unknown name and the errors a script sees are the
// VBScript's in standin_process_test.cpp.)
#include "standin/win32/dispatch_object.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/com_ptr.h"

namespace standin_win32 {
namespace {

using platform_win32::ComPtr;

// An object with Create(number, number) and CreateLookup(text) that notes
// what it was given and answers 7.
struct Probe {
  std::vector<Argument> given;
  bool busy = false;
  int alive = 0;
  ComPtr<IDispatch> object() {
    auto note = [this](const std::vector<Argument>& arguments, VARIANT& result) {
      given = arguments;
      result.vt = VT_I4;
      result.lVal = 7;
      return S_OK;
    };
    return ComPtr<IDispatch>::adopt(new DispatchObject(
        {{L"Create", {Parameter::kInteger, Parameter::kInteger}, note},
         {L"CreateLookup", {Parameter::kText}, note}},
        [this] { return busy; }, [this](int change) { alive += change; }));
  }
};

std::pair<HRESULT, DISPID> idOf(IDispatch* object, std::wstring name) {
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  const HRESULT status = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return {status, id};
}

// A VARIANT of `type` whose value (or, by reference, whose target) is `value`.
template <typename T>
VARIANT argument(VARTYPE type, T value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  std::memcpy(&v.llVal, &value, sizeof(T));
  return v;
}

TEST(DispatchObject, TakesArgumentsAsVisualBasicPassesThemAndRefusesTheRest) {
  SHORT three = 3;
  LONG minusFour = -4;
  VARIANT five = argument(VT_I2, SHORT{5});
  platform_win32::Bstr text(L"X1          ");
  BSTR textValue = text.get();
  const VARIANT i2 = argument(VT_I2, SHORT{1});
  const VARIANT i4 = argument(VT_I4, LONG{2});
  const VARIANT bstr = argument(VT_BSTR, text.get());
  const struct {
    const wchar_t* member;
    std::vector<VARIANT> arguments;  // last first, as DISPPARAMS holds them
    HRESULT status;
    std::vector<Argument> given;
  } cases[] = {
      {L"Create", {i4, i2}, S_OK, {std::int16_t{1}, std::int16_t{2}}},
      {L"Create",
       {argument(VT_I4 | VT_BYREF, &minusFour), argument(VT_I2 | VT_BYREF, &three)},
       S_OK,
       {std::int16_t{3}, std::int16_t{-4}}},
      {L"Create",
       {argument(VT_VARIANT | VT_BYREF, &five), i2},
       S_OK,
       {std::int16_t{1}, std::int16_t{5}}},
      {L"CreateLookup", {bstr}, S_OK, {std::wstring(L"X1          ")}},
      {L"CreateLookup",
       {argument(VT_BSTR | VT_BYREF, &textValue)},
       S_OK,
       {std::wstring(L"X1          ")}},
      {L"CreateLookup", {argument(VT_BSTR, BSTR{})}, S_OK, {std::wstring()}},
      {L"Create", {argument(VT_I4, LONG{70000}), i2}, DISP_E_TYPEMISMATCH, {}},
      {L"Create", {i2, argument(VT_R8, 1.0)}, DISP_E_TYPEMISMATCH, {}},
      {L"Create", {i2, bstr}, DISP_E_TYPEMISMATCH, {}},
      {L"Create", {i2}, DISP_E_BADPARAMCOUNT, {}},
      {L"CreateLookup", {bstr, bstr}, DISP_E_BADPARAMCOUNT, {}},
  };
  Probe probe;
  auto object = probe.object();
  EXPECT_EQ(probe.alive, 1);
  for (const auto& c : cases) {
    probe.given.clear();
    std::vector<VARIANT> arguments = c.arguments;
    DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    platform_win32::Variant result;
    UINT wrong = 99;
    EXPECT_EQ(object->Invoke(idOf(object.get(), c.member).second, IID_NULL, 0, DISPATCH_METHOD,
                             &parameters, result.get(), nullptr, &wrong),
              c.status)
        << testing::PrintToString(c.member) << " " << arguments.size();
    EXPECT_EQ(probe.given, c.given);
    EXPECT_EQ(wrong < arguments.size(), c.status == DISP_E_TYPEMISMATCH);
    EXPECT_EQ((*result).lVal == 7, c.status == S_OK);
  }

  // Named arguments, a property put, an unknown number, a busy server.
  const DISPID lookup = idOf(object.get(), L"CreateLookup").second;
  VARIANT one[] = {bstr};
  DISPID named = 0;
  DISPPARAMS withName{one, &named, 1, 1};
  DISPPARAMS plain{one, nullptr, 1, 0};
  const auto call = [&](DISPID id, WORD flags, DISPPARAMS& parameters) {
    return object->Invoke(id, IID_NULL, 0, flags, &parameters, nullptr, nullptr, nullptr);
  };
  EXPECT_EQ(call(lookup, DISPATCH_METHOD, withName), DISP_E_NONAMEDARGS);
  EXPECT_EQ(call(lookup, DISPATCH_PROPERTYPUT, plain), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(call(42, DISPATCH_METHOD, plain), DISP_E_MEMBERNOTFOUND);
  probe.busy = true;
  EXPECT_EQ(call(lookup, DISPATCH_METHOD, plain), RPC_E_SERVERCALL_RETRYLATER);
  EXPECT_EQ(idOf(object.get(), L"CreateLookup").first, RPC_E_SERVERCALL_RETRYLATER);
  object.reset();
  EXPECT_EQ(probe.alive, 0);
}

}  // namespace
}  // namespace standin_win32
