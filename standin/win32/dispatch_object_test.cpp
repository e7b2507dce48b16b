// The hand-written IDispatch as clients call it: names in any letter case,
// arguments in the forms Visual Basic and VBScript pass, and the errors for
// everything else.
#include "standin/win32/dispatch_object.h"

#include <gtest/gtest.h>

#include "platform/win32/com_ptr.h"

namespace standin_win32 {
namespace {

using platform_win32::ComPtr;

// An object with Create(number, number) and CreateLookup(text) that notes
// what it was given.
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

DISPID idOf(IDispatch& object, const wchar_t* name, HRESULT* status = nullptr) {
  std::wstring text = name;
  LPOLESTR names[] = {text.data()};
  DISPID id = 0;
  const HRESULT result = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (status != nullptr) *status = result;
  return id;
}

TEST(DispatchObject, FindsMembersByNameInAnyLetterCase) {
  Probe probe;
  auto object = probe.object();
  EXPECT_EQ(probe.alive, 1);
  for (const wchar_t* name : {L"CreateLookup", L"createlookup", L"CREATELOOKUP", L"cReAtElOoKuP"}) {
    HRESULT status = E_FAIL;
    EXPECT_EQ(idOf(*object.get(), name, &status), idOf(*object.get(), L"CreateLookup"));
    EXPECT_EQ(status, S_OK);
  }
  for (const wchar_t* name : {L"CreateLookupX", L"Create Lookup", L"", L"LookupAll"}) {
    HRESULT status = S_OK;
    EXPECT_EQ(idOf(*object.get(), name, &status), DISPID_UNKNOWN);
    EXPECT_EQ(status, DISP_E_UNKNOWNNAME);
  }
  object.reset();
  EXPECT_EQ(probe.alive, 0);
}

TEST(DispatchObject, TakesArgumentsAsVisualBasicPassesThemAndRefusesTheRest) {
  SHORT i2 = 3;
  LONG i4 = -4;
  platform_win32::Bstr text(L"X1          ");
  BSTR textValue = text.get();
  VARIANT inner;
  VariantInit(&inner);
  inner.vt = VT_I2;
  inner.iVal = 5;
  const auto make = [](VARTYPE type, auto set) {
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    set(v);
    return v;
  };
  const VARIANT i2Value = make(VT_I2, [](VARIANT& v) { v.iVal = 1; });
  const VARIANT i4Value = make(VT_I4, [](VARIANT& v) { v.lVal = 2; });
  const VARIANT i2Ref = make(VT_I2 | VT_BYREF, [&](VARIANT& v) { v.piVal = &i2; });
  const VARIANT i4Ref = make(VT_I4 | VT_BYREF, [&](VARIANT& v) { v.plVal = &i4; });
  const VARIANT variantRef = make(VT_VARIANT | VT_BYREF, [&](VARIANT& v) { v.pvarVal = &inner; });
  const VARIANT tooLarge = make(VT_I4, [](VARIANT& v) { v.lVal = 70000; });
  const VARIANT real = make(VT_R8, [](VARIANT& v) { v.dblVal = 1; });
  const VARIANT bstr = make(VT_BSTR, [&](VARIANT& v) { v.bstrVal = text.get(); });
  const VARIANT bstrRef = make(VT_BSTR | VT_BYREF, [&](VARIANT& v) { v.pbstrVal = &textValue; });
  const VARIANT nullBstr = make(VT_BSTR, [](VARIANT& v) { v.bstrVal = nullptr; });

  struct Case {
    const wchar_t* member;
    std::vector<VARIANT> arguments;  // last first, as DISPPARAMS holds them
    HRESULT status;
    std::vector<Argument> given;
  };
  const Case cases[] = {
      {L"Create", {i4Value, i2Value}, S_OK, {std::int16_t{1}, std::int16_t{2}}},
      {L"Create", {i4Ref, i2Ref}, S_OK, {std::int16_t{3}, std::int16_t{-4}}},
      {L"Create", {variantRef, i2Value}, S_OK, {std::int16_t{1}, std::int16_t{5}}},
      {L"CreateLookup", {bstr}, S_OK, {std::wstring(L"X1          ")}},
      {L"CreateLookup", {bstrRef}, S_OK, {std::wstring(L"X1          ")}},
      {L"CreateLookup", {nullBstr}, S_OK, {std::wstring()}},
      {L"Create", {tooLarge, i2Value}, DISP_E_TYPEMISMATCH, {}},
      {L"Create", {i2Value, real}, DISP_E_TYPEMISMATCH, {}},
      {L"Create", {i2Value, bstr}, DISP_E_TYPEMISMATCH, {}},
      {L"CreateLookup", {i2Value}, DISP_E_TYPEMISMATCH, {}},
      {L"Create", {i2Value}, DISP_E_BADPARAMCOUNT, {}},
      {L"CreateLookup", {}, DISP_E_BADPARAMCOUNT, {}},
      {L"CreateLookup", {bstr, bstr}, DISP_E_BADPARAMCOUNT, {}},
  };
  Probe probe;
  auto object = probe.object();
  for (const Case& c : cases) {
    probe.given.clear();
    std::vector<VARIANT> arguments = c.arguments;
    DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    platform_win32::Variant result;
    UINT argumentError = 99;
    EXPECT_EQ(object->Invoke(idOf(*object.get(), c.member), IID_NULL, 0, DISPATCH_METHOD,
                             &parameters, result.get(), nullptr, &argumentError),
              c.status)
        << testing::PrintToString(c.member) << " " << arguments.size();
    EXPECT_EQ(probe.given, c.given);
    if (c.status == DISP_E_TYPEMISMATCH) {
      EXPECT_LT(argumentError, arguments.size());
    }
    if (c.status == S_OK) {
      EXPECT_EQ((*result).lVal, 7);
    }
  }

  // Named arguments, a property put, an unknown number, a busy server.
  DISPID named = 0;
  VARIANT one[] = {bstr};
  DISPPARAMS withName{one, &named, 1, 1};
  const DISPID lookup = idOf(*object.get(), L"CreateLookup");
  EXPECT_EQ(
      object->Invoke(lookup, IID_NULL, 0, DISPATCH_METHOD, &withName, nullptr, nullptr, nullptr),
      DISP_E_NONAMEDARGS);
  DISPPARAMS plain{one, nullptr, 1, 0};
  EXPECT_EQ(
      object->Invoke(lookup, IID_NULL, 0, DISPATCH_PROPERTYPUT, &plain, nullptr, nullptr, nullptr),
      DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(object->Invoke(42, IID_NULL, 0, DISPATCH_METHOD, &plain, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  probe.busy = true;
  EXPECT_EQ(object->Invoke(lookup, IID_NULL, 0, DISPATCH_METHOD, &plain, nullptr, nullptr, nullptr),
            RPC_E_SERVERCALL_RETRYLATER);
  HRESULT status = S_OK;
  idOf(*object.get(), L"CreateLookup", &status);
  EXPECT_EQ(status, RPC_E_SERVERCALL_RETRYLATER);
}

}  // namespace
}  // namespace standin_win32
