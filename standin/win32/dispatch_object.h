#pragma once
// An automation object written by hand: IDispatch without a type library,
// members found by name as ACT!'s server finds them (letter case ignored), and
// arguments taken the way Visual Basic and VBScript pass them.
//
// Each member declares its parameters; Invoke checks them before the member
// runs:
//   - a whole number (kInteger): VT_I2 or VT_I4, by value or by reference,
//     within the 16-bit range;
//   - a text (kText): VT_BSTR, by value or by reference;
//   - either of the two (kIntegerOrText), as a late-bound server coerces;
//   - either one wrapped as VT_VARIANT | VT_BYREF (how VBScript passes a
//     variable).
// An unknown name gives DISP_E_UNKNOWNNAME, a known number with the wrong
// call DISP_E_MEMBERNOTFOUND, named arguments DISP_E_NONAMEDARGS, the wrong
// number of arguments DISP_E_BADPARAMCOUNT, an argument of another type
// DISP_E_TYPEMISMATCH (with its position in *puArgErr). Nothing throws.
//
// While `refuseNow` says so, every call is answered RPC_E_SERVERCALL_RETRYLATER
// before anything is done: the answer a client gets from a server that is busy.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "platform/win32/com_object.h"

namespace standin_win32 {

enum class Parameter { kInteger, kText, kIntegerOrText };
using Argument = std::variant<std::int16_t, std::wstring>;

struct Member {
  const wchar_t* name;
  std::vector<Parameter> parameters;
  // Runs the member with its arguments in declaration order and stores its
  // answer in `result` (VT_EMPTY on entry); an HRESULT for the caller.
  std::function<HRESULT(const std::vector<Argument>& arguments, VARIANT& result)> run;
};

class DispatchObject final : public platform_win32::ComObject<IDispatch> {
 public:
  // `alive` runs with +1 when the object is made and -1 when it goes.
  DispatchObject(std::vector<Member> members, std::function<bool()> refuseNow,
                 std::function<void(int)> alive);
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  ~DispatchObject() override;

  std::vector<Member> members_;
  std::function<bool()> refuseNow_;
  std::function<void(int)> alive_;
};

}  // namespace standin_win32
