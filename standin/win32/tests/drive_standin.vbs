' Drives the running stand-in ACT! as a Visual Basic program drives ACT!:
' late bound, members by name, arguments as VBScript passes them. Prints
' one line per answer; the test compares them and the stand-in's log.
Option Explicit
Dim app, views, view, ids, r

Set app = CreateObject("ACTOLE.APPOBJECT")
Set view = app.Views.Create(1, "CV")
WScript.Echo "GetOpenDBName=" & app.GetOpenDBName
view.LookupAll
' The second ID is one of the kind ACT! makes, blanks and quote inside.
ids = "X1          (4) '*' \#  "
r = view.CreateLookup(ids)
WScript.Echo "CreateLookup=" & r

' Names in other letter case find the same members; a literal text is
' passed by value, a number variable by reference.
Dim first
first = 3
Set views = app.views
Set view = views.CREATE(first, 4)
r = view.createlookup("NOPE        ")
WScript.Echo "createlookup=" & r

' Calls the server refuses come back as errors, not as a crash.
On Error Resume Next
r = view.CreateLookup(5)
WScript.Echo "type mismatch=" & Err.Number
Err.Clear
r = view.CreateLookup()
WScript.Echo "wrong count=" & Err.Number
Err.Clear
r = app.Gibtsnicht
WScript.Echo "unknown name=" & Err.Number
