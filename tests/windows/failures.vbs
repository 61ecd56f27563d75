' Every failure mode as a script meets it through On Error Resume Next: the validation
' errors, host failures under the log-and-re-raise handler, continue-on-error members that
' report success, and Reset's plain propagation. The event log is read after each.
' Runs behind support.vbs (scripts/windows-test joins them).
gSuite = "failures"
UseFreshEventLog

Const COMPONENT_SOURCE = "Quillet.cQuillet"  ' not SOURCE: Wine's VBScript lets a global constant hide a parameter of that name
Const INVALID_INPUT = "Invalid recordset or column name"
Const NO_SERIES = "No data series in chart"
Const BAD_FILE = "Invalid file name for export"
Const REFUSED = "The fake host refused this call"

Dim q, rs, result, nothingRs, logged, t1, t2, t3
Set q = CreateObject("Quillet.cQuillet")
Set rs = SalesRecordset(Array(1, 2), Array("Jan", "Feb"))
Set nothingRs = Nothing
On Error Resume Next

' Opening checks: raised before the handler is armed, so not logged.
q.SetXAxisHeadings rs, "Month"
CheckError Err.Number, Err.Source, Err.Description, VALIDATION_ERROR, COMPONENT_SOURCE, INVALID_INPUT, "SetXAxisHeadings without series"
Err.Clear
q.AddDataSeries nothingRs, "Sales", "North", 0, 0
CheckError Err.Number, Err.Source, Err.Description, VALIDATION_ERROR, COMPONENT_SOURCE, INVALID_INPUT, "AddDataSeries with Nothing"
Err.Clear
CheckEqual LogEntries(), "", "opening checks log nothing"

' ExportToGif's checks run under the handler: logged once each, series check first.
result = "untouched"
result = q.ExportToGif("")
CheckError Err.Number, Err.Source, Err.Description, VALIDATION_ERROR, COMPONENT_SOURCE, NO_SERIES, "ExportToGif without series"
Err.Clear
CheckEqual result, "untouched", "a failed call delivers no result"
CheckEqual LogEntries(), "1" & vbTab & NO_SERIES & vbLf, "the export's failure is logged"

q.AddDataSeries rs, "Sales", "North", 0, 0
CheckEqual Err.Number, CLng(0), "AddDataSeries succeeds"
Err.Clear
q.ExportToGif "   "
CheckError Err.Number, Err.Source, Err.Description, VALIDATION_ERROR, COMPONENT_SOURCE, BAD_FILE, "ExportToGif of three spaces"
Err.Clear
CheckEqual LogEntries(), "1" & vbTab & NO_SERIES & vbLf & "1" & vbTab & BAD_FILE & vbLf, "logged once more"

' A field the recordset lacks: ADO's own error reaches the script unchanged, logged once.
q.AddDataSeries rs, "Nope", "X", 0, 0
logged = Err.Description
Check Err.Number <> 0 And Err.Number <> VALIDATION_ERROR, "a missing field is ADO's error: " & Hex(Err.Number)
Err.Clear
Check InStr(LogEntries(), "1" & vbTab & logged & vbLf) > 0, "ADO's description is logged: " & LogEntries()

' Host failures under the handler: the host's number, source and description, logged.
Recorder().Fault "Chart", "Floor", 1, HOST_ERROR
q.SetBackgroundEffect 3
CheckError Err.Number, Err.Source, Err.Description, HOST_ERROR_SEEN, "FakeHost", REFUSED, "SetBackgroundEffect, floor refused"
Err.Clear
Check Right(LogEntries(), Len(REFUSED) + 3) = "1" & vbTab & REFUSED & vbLf, "the host's description is logged"
Recorder().Fault "Chart", "Export", 1, -2146826278
result = q.ExportToGif("C:\nowhere\x.gif")
CheckError Err.Number, Err.Source, Err.Description, 2010, "FakeHost", REFUSED, "ExportToGif, export refused"
Err.Clear
CheckEqual IsEmpty(result) Or result = "untouched", True, "no result from a failed export"

' Continue-on-error members: a refused step is skipped, success reported, nothing logged.
logged = LogEntries()
Recorder().Clear
Recorder().Fault "Chart", "PlotArea", 1, HOST_ERROR
q.SetChartOptions 5, 400, 300
CheckEqual Err.Number, CLng(0), "SetChartOptions with a refused step reports success"
Err.Clear
CheckEqual PlainCallsOf("Width"), Lines(Array("PlotArea.put Width(R8 400)")), "the later steps still ran"
Recorder().Fault "ChartTitle", "Font", 0, HOST_ERROR
t1 = "Main" : t2 = "X" : t3 = "Y"
q.SetChartTitles t1, t2, t3
CheckEqual Err.Number, CLng(0), "SetChartTitles with refused steps reports success"
Err.Clear
CheckEqual LogEntries(), logged, "continue-on-error members log nothing"

' Reset: plain propagation, unlogged, what was done stays done.
Recorder().Clear
Recorder().Fault "Range", "ClearContents", 1, HOST_ERROR
q.Reset
CheckError Err.Number, Err.Source, Err.Description, HOST_ERROR_SEEN, "FakeHost", REFUSED, "Reset, clearing refused"
Err.Clear
CheckEqual UBound(Split(PlainCallsOf("Delete"), vbLf)), CLng(1), "the series was deleted before the failure"
CheckEqual LogEntries(), logged, "Reset logs nothing"

' A missing title argument is refused by the dispatch layer.
q.SetChartTitles t1, t2
Check Err.Number <> 0, "SetChartTitles with two arguments fails"
Err.Clear
On Error GoTo 0

Set rs = Nothing
Set q = Nothing
CheckEqual Recorder().LiveObjects, CLng(0), "every host object was released after the failures"
Finish
