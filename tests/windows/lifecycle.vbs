' Creating, using and releasing a cQuillet through late binding: the host calls of the
' constructor and destructor, the oQuillet property read and replaced (Nothing included).
' Runs behind support.vbs (scripts/windows-test joins them).
gSuite = "lifecycle"
UseFreshEventLog
Recorder().Clear

Dim q, chart, other, ownChart
Set q = CreateObject("Quillet.cQuillet")
CheckEqual PlainCalls(), Lines(Array( _
    "Application.put Visible(BOOL 0)", _
    "Application.put SheetsInNewWorkbook(I4 1)", _
    "Application.Workbooks()", _
    "Workbooks.Add(ERROR missing)", _
    "Application.ActiveWorkbook()", _
    "Workbook.Worksheets()", _
    "Worksheets.Item(I2 1)", _
    "Workbook.Worksheets()", _
    "Worksheets.Add(ERROR missing, ERROR missing, ERROR missing, I4 -4109)", _
    "Chart.put ChartType(I4 54)", _
    "Chart.put SizeWithWindow(BOOL -1)", _
    "Chart.put HasDataTable(BOOL 0)")), "the constructor's host calls"
CheckEqual Recorder().ApplicationsCreated, CLng(1), "one host application per object"
CheckEqual Recorder().WorkbooksOpen, CLng(1), "one workbook per object"

ownChart = Split(Recorder().CallsOf("ChartType"), ".")
ownChart = ownChart(0)
Set chart = q.oQuillet
CheckEqual TypeName(chart), "Object", "oQuillet is the host's chart"
Check chart Is q.oQuillet, "oQuillet answers the same chart every time"
Set chart = Nothing

' A chart of another workbook takes the place of the component's own.
Recorder().Clear
Set other = Recorder().MakeChart()
Set q.oQuillet = other
Check q.oQuillet Is other, "Set oQuillet replaces the chart"
q.SetChartOptions 5, 400, 300
CheckEqual PlainCalls(), Lines(Array("Chart.put ChartType(I4 5)", "Chart.PlotArea()", "PlotArea.put Height(R8 300)", _
    "Chart.PlotArea()", "PlotArea.put Width(R8 400)")), "SetChartOptions on the assigned chart"
Check InStr(Recorder().Calls, ownChart & ".") = 0, "nothing reaches the component's own chart " & ownChart

' Without a chart, the continue-on-error members still report success.
Set q.oQuillet = Nothing
Check q.oQuillet Is Nothing, "oQuillet holds Nothing"
On Error Resume Next
q.SetChartOptions 51, 400, 300
CheckEqual Err.Number, CLng(0), "SetChartOptions without a chart reports success"
Err.Clear
q.SetChartTitles "Main", "X", "Y"
CheckEqual Err.Number, CLng(0), "SetChartTitles without a chart reports success"
Err.Clear
q.Reset
Check Err.Number <> 0, "Reset without a chart fails"
Err.Clear
On Error GoTo 0
CheckEqual LogEntries(), "", "nothing logged by continue-on-error members or Reset"

Recorder().Clear
Set q = Nothing
Set other = Nothing
CheckEqual PlainCalls(), Lines(Array( _
    "Application.Workbooks()", _
    "Workbooks.Count()", _
    "Application.Workbooks()", _
    "Workbooks.Item(I2 1)", _
    "Workbook.Close(BOOL 0, ERROR missing, ERROR missing)", _
    "Application.Quit()")), "releasing the object closes the workbook and quits the host"
CheckEqual Recorder().QuitCalled, True, "the host was told to quit"
CheckEqual Recorder().LiveObjects, CLng(0), "every host object was released"
Finish
