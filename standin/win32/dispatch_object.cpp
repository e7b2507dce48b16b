#include "standin/win32/dispatch_object.h"

#include <limits>
#include <optional>

#include "platform/win32/com_ptr.h"

namespace standin_win32 {
namespace {

// The argument as a value, looking through one VT_VARIANT | VT_BYREF.
const VARIANT& unwrapped(const VARIANT& argument) {
  if (argument.vt == (VT_VARIANT | VT_BYREF) && argument.pvarVal != nullptr) {
    return *argument.pvarVal;
  }
  return argument;
}

std::optional<Argument> convert(const VARIANT& given, Parameter parameter) {
  if (parameter == Parameter::kIntegerOrText) {
    if (auto number = convert(given, Parameter::kInteger)) return number;
    return convert(given, Parameter::kText);
  }
  const VARIANT& value = unwrapped(given);
  if (parameter == Parameter::kText) {
    BSTR text = nullptr;
    if (value.vt == VT_BSTR) {
      text = value.bstrVal;
    } else if (value.vt == (VT_BSTR | VT_BYREF) && value.pbstrVal != nullptr) {
      text = *value.pbstrVal;
    } else {
      return std::nullopt;
    }
    return std::wstring(text != nullptr ? text : L"", text != nullptr ? SysStringLen(text) : 0);
  }
  long number = 0;
  if (value.vt == VT_I2) {
    number = value.iVal;
  } else if (value.vt == (VT_I2 | VT_BYREF) && value.piVal != nullptr) {
    number = *value.piVal;
  } else if (value.vt == VT_I4) {
    number = value.lVal;
  } else if (value.vt == (VT_I4 | VT_BYREF) && value.plVal != nullptr) {
    number = *value.plVal;
  } else {
    return std::nullopt;
  }
  if (number < std::numeric_limits<std::int16_t>::min() ||
      number > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(number);
}

}  // namespace

DispatchObject::DispatchObject(std::vector<Member> members, std::function<bool()> refuseNow,
                               std::function<void(int)> alive)
    : ComObject(IID_IDispatch),
      members_(std::move(members)),
      refuseNow_(std::move(refuseNow)),
      alive_(std::move(alive)) {
  if (alive_) alive_(+1);
}

DispatchObject::~DispatchObject() {
  if (alive_) alive_(-1);
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (refuseNow_ && refuseNow_()) return RPC_E_SERVERCALL_RETRYLATER;
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  HRESULT result = S_OK;
  ids[0] = DISPID_UNKNOWN;
  for (std::size_t i = 0; i < members_.size(); ++i) {
    if (names[0] != nullptr &&
        CompareStringOrdinal(names[0], -1, members_[i].name, -1, TRUE) == CSTR_EQUAL) {
      ids[0] = static_cast<DISPID>(i + 1);
    }
  }
  if (ids[0] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  // The members have no named parameters.
  for (UINT i = 1; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                               VARIANT* result, EXCEPINFO*, UINT* argumentError) {
  if (refuseNow_ && refuseNow_()) return RPC_E_SERVERCALL_RETRYLATER;
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (id < 1 || static_cast<std::size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
  if ((flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) return DISP_E_MEMBERNOTFOUND;
  const Member& member = members_[static_cast<std::size_t>(id - 1)];
  const UINT given = parameters != nullptr ? parameters->cArgs : 0;
  if (parameters != nullptr && parameters->cNamedArgs > 0) return DISP_E_NONAMEDARGS;
  if (given != member.parameters.size()) return DISP_E_BADPARAMCOUNT;
  if (given > 0 && parameters->rgvarg == nullptr) return E_INVALIDARG;

  // Nothing may leave through COM; what could throw here is memory running out.
  try {
    // Arguments arrive last first.
    std::vector<Argument> arguments;
    for (UINT i = 0; i < given; ++i) {
      const UINT position = given - 1 - i;
      auto argument = convert(parameters->rgvarg[position], member.parameters[i]);
      if (!argument) {
        if (argumentError != nullptr) *argumentError = position;
        return DISP_E_TYPEMISMATCH;
      }
      arguments.push_back(std::move(*argument));
    }
    platform_win32::Variant answer;
    const HRESULT outcome = member.run(arguments, *answer.get());
    if (SUCCEEDED(outcome) && result != nullptr) *result = answer.release();
    return outcome;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace standin_win32
