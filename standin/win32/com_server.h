#pragma once
// The running stand-in as a COM local server: its class object registered
// with CoRegisterClassObject (CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE), so
// that every client's CreateObject reaches this process, and an application
// object in the running object table (RegisterActiveObject) for GetObject.
//
// While the server's state says "busy", a message filter answers every
// incoming call SERVERCALL_RETRYLATER, as ACT! does while it shows a dialog of
// its own. Where the system's COM ignores that answer (Wine 8 dispatches the
// call anyway), the objects themselves answer RPC_E_SERVERCALL_RETRYLATER,
// which is what such a client would get from Windows without a retrying
// message filter of its own.
//
// Needs a single-threaded apartment on the calling thread; everything is
// revoked when the object goes (or by revoke()).

#include <memory>

#include "platform/win32/com_ptr.h"
#include "standin/win32/automation_objects.h"

namespace standin_win32 {

class ComServer {
 public:
  explicit ComServer(std::shared_ptr<ServerState> state);
  ~ComServer();
  ComServer(const ComServer&) = delete;
  ComServer& operator=(const ComServer&) = delete;

  // S_OK once serving, else the failing call's HRESULT.
  HRESULT status() const { return status_; }
  // Takes the class object and the running object back; new clients then
  // find no server.
  void revoke();

 private:
  HRESULT status_ = E_FAIL;
  DWORD classCookie_ = 0;
  DWORD activeCookie_ = 0;
  platform_win32::ComPtr<IMessageFilter> previousFilter_;
  bool filterRegistered_ = false;
};

}  // namespace standin_win32
