// The adapter's own rules against a scripted automation server in this
// process (in the test's apartment, which the adapter's call thread reaches
// through COM's marshalling, as it reaches ACT!): what it passes as Visual
// Basic would, and how it converts answers of every variant type.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/win32/com_object.h"
#include "platform/win32/wide_text.h"
#include "startup/com/com_act_automation.h"

namespace startup_com {
namespace {

using platform_win32::ComPtr;

// {4E1B2C77-5D0A-4F5E-9C61-2B7A0E3F9D10}
constexpr CLSID kScriptedClsid = {
    0x4e1b2c77, 0x5d0a, 0x4f5e, {0x9c, 0x61, 0x2b, 0x7a, 0x0e, 0x3f, 0x9d, 0x10}};
constexpr char kScriptedProgId[] = "Spurlix.ScriptedAct";

// Application, views and view at once: answers each member with the variant
// set for it (itself for Views and Create unless told otherwise) and notes
// how each was called.
class ScriptedServer final : public platform_win32::ComObject<IDispatch> {
 public:
  struct Call {
    WORD flags = 0;
    std::vector<VARTYPE> types;  // last argument first, as passed
    std::vector<std::wstring> texts;
  };
  ScriptedServer() : ComObject(IID_IDispatch) {}

  void answer(const std::wstring& member, VARIANT value) {
    VariantClear(&answers_[member]);
    VariantCopy(&answers_[member], &value);
  }
  // The answers may hold this object itself.
  void forgetAnswers() {
    for (auto& [member, value] : answers_) VariantClear(&value);
    answers_.clear();
  }
  std::map<std::wstring, Call> calls;
  std::set<std::wstring> members = {L"Views", L"Create", L"GetOpenDBName", L"CreateLookup"};

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* ids) override {
    for (std::size_t i = 0; i < kMembers.size(); ++i) {
      if (kMembers[i] == names[0]) *ids = static_cast<DISPID>(i + 1);
    }
    return members.contains(names[0]) ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id < 1 || static_cast<std::size_t>(id) > kMembers.size()) return DISP_E_MEMBERNOTFOUND;
    const std::wstring member = kMembers[static_cast<std::size_t>(id - 1)];
    Call& call = calls[member];
    call = {flags, {}, {}};
    for (UINT i = 0; i < parameters->cArgs; ++i) {
      const VARIANT& argument = parameters->rgvarg[i];
      call.types.push_back(argument.vt);
      call.texts.push_back(argument.vt == VT_I2 ? std::to_wstring(argument.iVal)
                           : argument.vt == (VT_BSTR | VT_BYREF)
                               ? std::wstring(*argument.pbstrVal, SysStringLen(*argument.pbstrVal))
                               : L"?");
    }
    if (result == nullptr) return S_OK;
    if (answers_.contains(member)) return VariantCopy(result, &answers_[member]);
    if (member == L"Views" || member == L"Create") {
      result->vt = VT_DISPATCH;
      result->pdispVal = this;
      AddRef();
    }
    return S_OK;
  }

 private:
  ~ScriptedServer() override { forgetAnswers(); }
  inline static const std::vector<std::wstring> kMembers = {L"Views", L"Create", L"GetOpenDBName",
                                                            L"LookupAll", L"CreateLookup"};
  std::map<std::wstring, VARIANT> answers_;
};

class Factory final : public platform_win32::ComObject<IClassFactory> {
 public:
  explicit Factory(ComPtr<ScriptedServer> server)
      : ComObject(IID_IClassFactory), server_(std::move(server)) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** object) override {
    ++instancesMade;
    return server_->QueryInterface(iid, object);
  }
  int instancesMade = 0;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ComPtr<ScriptedServer> server_;
};

class ScriptedServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Windows reads the ProgID per user, Wine only below HKEY_LOCAL_MACHINE.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      const wchar_t clsid[] = L"{4E1B2C77-5D0A-4F5E-9C61-2B7A0E3F9D10}";
      RegSetKeyValueW(root, L"Software\\Classes\\Spurlix.ScriptedAct\\CLSID", nullptr, REG_SZ,
                      clsid, sizeof(clsid));
    }
    ASSERT_EQ(CoRegisterClassObject(kScriptedClsid, factory_.get(), CLSCTX_LOCAL_SERVER,
                                    REGCLS_MULTIPLEUSE, &cookie_),
              S_OK);
    application_ = automation_.CreateObject(kScriptedProgId);
    ASSERT_NE(application_, nullptr);
  }
  void TearDown() override {
    application_.reset();
    CoRevokeClassObject(cookie_);
  }

  ComActAutomation automation_;  // first: the apartment
  ComPtr<ScriptedServer> server_ = ComPtr<ScriptedServer>::adopt(new ScriptedServer);
  ComPtr<Factory> factory_ = ComPtr<Factory>::adopt(new Factory(server_));
  DWORD cookie_ = 0;
  std::unique_ptr<common::ActApplication> application_;
};

VARIANT variant(VARTYPE type, std::int32_t number = 0, const wchar_t* text = nullptr,
                IDispatch* object = nullptr) {
  VARIANT value;
  VariantInit(&value);
  value.vt = type;
  if (type == VT_BSTR) value.bstrVal = SysAllocString(text);
  if (type == VT_I2) value.iVal = static_cast<SHORT>(number);
  if (type == VT_I4) value.lVal = number;
  if (type == VT_BOOL) value.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
  if (type == VT_R8) value.dblVal = number + 0.5;
  if (type == VT_DISPATCH || type == VT_UNKNOWN) value.pdispVal = object;  // not owned
  return value;
}

TEST_F(ScriptedServerTest, CallsPassTheirArgumentsAsVisualBasicDoes) {
  auto views = application_->Views();
  ASSERT_NE(views, nullptr);
  auto view = views->Create(1, 2);
  ASSERT_NE(view, nullptr);
  std::string ids = "Ä1          A00000000001";
  EXPECT_EQ(view->CreateLookup(ids), 0);
  EXPECT_FALSE(view->LookupAll()) << "a member the server lacks";

  const auto& calls = server_->calls;
  const WORD withResult = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  EXPECT_EQ(calls.at(L"Views").flags, withResult);
  EXPECT_EQ(calls.at(L"Create").flags, withResult);
  EXPECT_EQ(calls.at(L"Create").types, std::vector<VARTYPE>({VT_I2, VT_I2}));
  EXPECT_EQ(calls.at(L"Create").texts, std::vector<std::wstring>({L"2", L"1"}));
  EXPECT_EQ(calls.at(L"CreateLookup").types, std::vector<VARTYPE>({VT_BSTR | VT_BYREF}));
  EXPECT_EQ(calls.at(L"CreateLookup").texts[0], platform_win32::wideFromUtf8(ids));

  server_->members.insert(L"LookupAll");
  EXPECT_TRUE(view->LookupAll());
  // Whether a result was asked for does not cross apartments: COM's stub
  // always hands the server a place for it, as it does to ACT!.
  EXPECT_EQ(calls.at(L"LookupAll").flags, DISPATCH_METHOD);
}

// The caller's work runs while the creation is on its way: this apartment
// serves it only between the messages it waits with, so the request is
// waiting here as a message and the server has made nothing yet.
TEST_F(ScriptedServerTest, CreateObjectRunsTheWorkMeanwhileWhileTheServerIsAsked) {
  const int made = factory_->instancesMade;
  bool requestArrived = false, answered = true;
  const auto application = automation_.CreateObject(kScriptedProgId, [&] {
    requestArrived = MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000,
                                               QS_POSTMESSAGE | QS_SENDMESSAGE) == WAIT_OBJECT_0;
    answered = factory_->instancesMade != made;
  });
  EXPECT_NE(application, nullptr);
  EXPECT_TRUE(requestArrived);
  EXPECT_FALSE(answered);
  EXPECT_EQ(factory_->instancesMade, made + 1);
}

TEST_F(ScriptedServerTest, AnswersAreConvertedAsVisualBasicConvertsThem) {
  struct Case {
    const char* what;
    VARIANT answer;
    std::optional<std::int32_t> lookup;
    std::optional<std::string> name;
    bool object = false;
    bool checkName = true;  // not for texts that follow the locale
  };
  auto views = application_->Views();
  auto view = views ? views->Create(1, 2) : nullptr;
  ASSERT_NE(view, nullptr);
  IDispatch* server = server_.get();
  Case cases[] = {
      {"a 32-bit number", variant(VT_I4, 100), 100, "100"},
      {"a 16-bit number", variant(VT_I2, -1), -1, "-1"},
      {"a number as text", variant(VT_BSTR, 0, L"100"), 100, "100"},
      {"a path", variant(VT_BSTR, 0, L"Z:\\Kontakte ä.dbf"), std::nullopt, "Z:\\Kontakte ä.dbf"},
      {"true", variant(VT_BOOL, 1), -1, std::nullopt, false, false},
      {"a half, rounded to even", variant(VT_R8, 2), 2, std::nullopt, false, false},
      {"empty", variant(VT_EMPTY), 0, ""},
      {"null", variant(VT_NULL), std::nullopt, std::nullopt},
      {"no object", variant(VT_DISPATCH), std::nullopt, std::nullopt},
      {"an object", variant(VT_DISPATCH, 0, nullptr, server), std::nullopt, std::nullopt, true},
      {"an object as IUnknown", variant(VT_UNKNOWN, 0, nullptr, server), std::nullopt, std::nullopt,
       true},
  };
  for (Case& c : cases) {
    for (const wchar_t* member : {L"CreateLookup", L"GetOpenDBName", L"Views", L"Create"}) {
      server_->answer(member, c.answer);
    }
    std::string ids = "X1          ";
    EXPECT_EQ(view->CreateLookup(ids), c.lookup) << c.what;
    if (c.checkName) {
      EXPECT_EQ(application_->GetOpenDBName(), c.name) << c.what;
    }
    EXPECT_EQ(application_->Views() != nullptr, c.object) << c.what;
    EXPECT_EQ(views->Create(1, 2) != nullptr, c.object) << c.what;
    if (c.answer.vt == VT_BSTR) VariantClear(&c.answer);
  }
  server_->forgetAnswers();
}

}  // namespace
}  // namespace startup_com
