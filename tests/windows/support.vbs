' Helpers shared by the suites, which scripts/windows-test puts in front of each suite
' (Wine 8's VBScript has no working ExecuteGlobal or Execute): checks that count and report
' failures, the event log of this process, the fake host's recording with instance
' numbers taken out, and recordsets fabricated from Wine's own ADODB.Recordset.

Const VALIDATION_ERROR = -2147220503   ' 0x800403E9: the component's own error
Const HOST_ERROR = -2146827284          ' 0x800A03EC: the fault the suites arm in the fake host
' VBScript shows an error of facility 0x0A (FACILITY_CONTROL) by its low word: 0x800A03EC
' reaches a script as 1004, 0x800A07DA as 2010.
Const HOST_ERROR_SEEN = 1004
Const AD_DOUBLE = 5
Const AD_BSTR = 8

Dim gSuite, gChecks, gFailures, gFso, gLogPath, gRecorder
gChecks = 0
gFailures = 0
Set gFso = CreateObject("Scripting.FileSystemObject")

Function Describe(v)
    If IsObject(v) Then
        If v Is Nothing Then Describe = "Nothing" Else Describe = "object " & TypeName(v)
    ElseIf IsNull(v) Then
        Describe = "Null"
    ElseIf IsEmpty(v) Then
        Describe = "Empty"
    Else
        Describe = TypeName(v) & " " & CStr(v)
    End If
End Function

Sub Check(ok, what)
    gChecks = gChecks + 1
    If Not ok Then
        gFailures = gFailures + 1
        WScript.Echo "FAIL " & gSuite & ": " & what
    End If
End Sub

' Compares type and value, so that the Integer 1 and the Long 1 differ.
Sub CheckEqual(actual, expected, what)
    gChecks = gChecks + 1
    If Describe(actual) <> Describe(expected) Then
        gFailures = gFailures + 1
        WScript.Echo "FAIL " & gSuite & ": " & what & vbLf & "    expected: " & Describe(expected) & _
                     vbLf & "    actual:   " & Describe(actual)
    End If
End Sub

' Err's fields, passed as values: a call to a procedure must not be what clears Err.
Sub CheckError(number, source, description, wantNumber, wantSource, wantDescription, what)
    CheckEqual number, CLng(wantNumber), what & ": Err.Number"
    If Not IsEmpty(wantSource) Then CheckEqual source, wantSource, what & ": Err.Source"
    CheckEqual description, wantDescription, what & ": Err.Description"
End Sub

' The last line a suite prints. Wine's cscript ends a script that meets a runtime error
' silently with exit code 0, so the runner counts a suite as passed only when this line,
' with no failures, closes its output.
Sub Finish()
    WScript.Echo "suite " & gSuite & " finished: " & gChecks & " checks, " & gFailures & " failed"
    If gFailures > 0 Or gChecks = 0 Then WScript.Quit 1
    WScript.Quit 0
End Sub

' The event log of this process: the file OLEAUT_EVENTLOG names, emptied. Wine 8's
' WshEnvironment refuses to set a variable (error 445), so under Wine the runner sets it
' for each suite; elsewhere a suite run by hand sets its own before any component exists.
Sub UseFreshEventLog()
    Dim environment
    Set environment = CreateObject("WScript.Shell").Environment("PROCESS")
    gLogPath = environment("OLEAUT_EVENTLOG")
    If gLogPath = "" Then
        gLogPath = gFso.GetSpecialFolder(2) & "\quillet-" & gSuite & ".log"
        On Error Resume Next
        environment("OLEAUT_EVENTLOG") = gLogPath
        On Error GoTo 0
    End If
    If gFso.FileExists(gLogPath) Then gFso.DeleteFile gLogPath
    CheckEqual environment("OLEAUT_EVENTLOG"), gLogPath, "OLEAUT_EVENTLOG names this suite's event log"
End Sub

' The event log's entries as "type<TAB>text", one per line, in order.
Function LogEntries()
    Dim stream, line, fields, out
    out = ""
    If gFso.FileExists(gLogPath) Then
        Set stream = gFso.OpenTextFile(gLogPath, 1)
        Do While Not stream.AtEndOfStream
            line = stream.ReadLine
            fields = Split(line, vbTab)
            If UBound(fields) = 3 Then out = out & fields(2) & vbTab & fields(3) & vbLf Else out = out & "?" & line & vbLf
        Loop
        stream.Close
    End If
    LogEntries = out
End Function

Function Recorder()
    If IsEmpty(gRecorder) Then Set gRecorder = CreateObject("QuilletTest.Recorder")
    Set Recorder = gRecorder
End Function

' Recorded calls with the instance numbers removed ("Chart.put ChartType(I4 51)"), one per line.
Function Plain(text)
    Dim re
    Set re = New RegExp
    re.Pattern = "#\d+"
    re.Global = True
    Plain = re.Replace(text, "")
End Function

Function PlainCalls()
    PlainCalls = Plain(Recorder().Calls)
End Function

Function PlainCallsOf(member)
    PlainCallsOf = Plain(Recorder().CallsOf(member))
End Function

' The lines of arr, each ending in a line feed (Wine 8's VBScript has no Join).
Function Lines(arr)
    Dim i
    Lines = ""
    For i = 0 To UBound(arr)
        Lines = Lines & arr(i) & vbLf
    Next
End Function

' A recordset of one double column "Sales" and one text column "Month". Wine's ADO wants a
' DefinedSize of 8 for a double, every row added before any is filled, and values that are
' literals or results of CStr/CDbl (see README.md).
Function SalesRecordset(sales, months)
    Dim rs, i
    Set rs = CreateObject("ADODB.Recordset")
    rs.Fields.Append "Sales", AD_DOUBLE, 8
    rs.Fields.Append "Month", AD_BSTR, 40
    rs.Open
    For i = 0 To UBound(sales)
        rs.AddNew
    Next
    rs.MoveFirst
    For i = 0 To UBound(sales)
        rs.Fields("Sales").Value = CDbl(sales(i))
        rs.Fields("Month").Value = CStr(months(i))
        rs.MoveNext
    Next
    rs.MoveFirst
    Set SalesRecordset = rs
End Function
