' Every member of cQuillet called the way scripts call them (Integer literals, True, numbers
' as strings, titles in by-reference variables), checked against the fake host's recording.
' Runs behind support.vbs (scripts/windows-test joins them).
gSuite = "members"
UseFreshEventLog

Dim q, rs, mainTitle, xTitle, yTitle, result, gif
Set q = CreateObject("Quillet.cQuillet")

' SetChartOptions: the plot size arrives as doubles, numbers written as strings included.
Recorder().Clear
q.SetChartOptions 51, "400", "300"
CheckEqual PlainCalls(), Lines(Array("Chart.put ChartType(I4 51)", "Chart.PlotArea()", "PlotArea.put Height(R8 300)", _
    "Chart.PlotArea()", "PlotArea.put Width(R8 400)")), "SetChartOptions 51, ""400"", ""300"""

' AddDataSeries over an ADODB recordset: values become decimals in column 2, the first series
' is shaded (True is -1) and labelled (1 is non-zero).
Set rs = SalesRecordset(Array(10, 20.5, 7), Array("Jan", "Feb", "Mar"))
Recorder().Clear
q.AddDataSeries rs, "Sales", "North", 1, True
CheckEqual PlainCallsOf("Item"), Lines(Array("Range.put Item(I2 1, I2 2, DECIMAL 10)", _
    "Range.put Item(I2 2, I2 2, DECIMAL 20.5)", "Range.put Item(I2 3, I2 2, DECIMAL 7)", _
    "Range.Item(I2 1, I2 2)", "Range.Item(I2 3, I2 2)")), "the series' cells"
CheckEqual PlainCallsOf("Name"), Lines(Array("Series.put Name(BSTR ""North"")")), "the series' name"
Check InStr(PlainCalls(), "ChartFillFormat.OneColorGradient(Style:=I2 1, Variant:=I2 1, Degree:=R8 0.23137254901960799)") > 0, _
    "True shades the series"
Check InStr(PlainCalls(), "Series.ApplyDataLabels(Type:=I2 2, AutoText:=BOOL -1, LegendKey:=BOOL 0)") > 0, _
    "1 shows the data labels"
Check InStr(PlainCalls(), "PlotArea.put Width(R8 600)") > 0, "the first series lays out the chart"
CheckEqual rs.EOF, True, "the recordset is left where reading stopped"

' A second series from the same recordset. flgShaded counts only as -1, and through
' IDispatch a script's 1 reaches the component already coerced to True (-1): it shades.
Recorder().Clear
q.AddDataSeries rs, "Sales", "South", 0, 1
Check InStr(PlainCalls(), "Range.put Item(I2 1, I2 3, DECIMAL 10)") > 0, "the second series goes to column 3"
Check InStr(PlainCalls(), "OneColorGradient") > 0, "1, coerced to True, shades"
Check InStr(PlainCalls(), "ApplyDataLabels") = 0, "0 shows no labels"
' False does not shade.
Recorder().Clear
q.AddDataSeries rs, "Sales", "West", False, False
Check InStr(PlainCalls(), "Range.put Item(I2 1, I2 4, DECIMAL 10)") > 0, "the third series goes to column 4"
Check InStr(PlainCalls(), "OneColorGradient") = 0, "False does not shade"

' SetXAxisHeadings: text headings in column 1, bound to the first series.
Recorder().Clear
q.SetXAxisHeadings rs, "Month"
CheckEqual PlainCallsOf("Item"), Lines(Array("Range.put Item(I2 1, I2 1, BSTR ""Jan"")", _
    "Range.put Item(I2 2, I2 1, BSTR ""Feb"")", "Range.put Item(I2 3, I2 1, BSTR ""Mar"")", _
    "Range.Item(I2 1, I2 1)", "Range.Item(I2 3, I2 1)")), "the heading cells"
CheckEqual PlainCallsOf("XValues"), Lines(Array("Series.put XValues(DISPATCH <Range>)")), "headings bound"

' SetChartTitles with by-reference variables: a title in each, then Empty and Null.
mainTitle = "Sales"
xTitle = "Month"
yTitle = 2024
Recorder().Clear
q.SetChartTitles mainTitle, xTitle, yTitle
CheckEqual PlainCallsOf("Caption"), Lines(Array("ChartTitle.put Caption(BSTR ""Sales"")")), "the main title"
CheckEqual PlainCallsOf("Text"), Lines(Array("Characters.put Text(BSTR ""Month"")", "Characters.put Text(I2 2024)")), _
    "axis titles keep their types"
CheckEqual mainTitle, "Sales", "the caller's variable is left as it was"
mainTitle = Empty
xTitle = Null
yTitle = ""
Recorder().Clear
q.SetChartTitles mainTitle, xTitle, yTitle
CheckEqual Recorder().CallCount, CLng(0), "Empty, Null and empty titles touch nothing"

' SetBackgroundEffect: 1 to 23 are preset gradients.
Recorder().Clear
q.SetBackgroundEffect 5
CheckEqual PlainCallsOf("PresetGradient"), Lines(Array( _
    "ChartFillFormat.PresetGradient(Style:=I2 1, Variant:=I2 1, PresetGradientType:=BYREF|I4 &5)", _
    "ChartFillFormat.PresetGradient(Style:=I2 1, Variant:=I2 1, PresetGradientType:=BYREF|I4 &5)")), _
    "walls and floor get the preset"
Recorder().Clear
q.SetBackgroundEffect "24"
CheckEqual PlainCallsOf("SchemeColor"), Lines(Array("ChartColorFormat.put SchemeColor(I4 15)", _
    "ChartColorFormat.put SchemeColor(I4 15)")), "24 is the default gradient"

' ExportToGif answers the Integer 1.
gif = CreateObject("Scripting.FileSystemObject").GetSpecialFolder(2) & "\members.gif"
Recorder().Clear
result = q.ExportToGif(gif)
CheckEqual result, CInt(1), "ExportToGif's result"
CheckEqual PlainCalls(), Lines(Array("Chart.SeriesCollection(ERROR missing)", "SeriesCollection.Count()", _
    "Chart.Export(BSTR """ & gif & """, BSTR ""GIF"", ERROR missing)")), "the export"

' Reset deletes the three series and clears the sheet; the next export has nothing to write.
Recorder().Clear
q.Reset
CheckEqual UBound(Split(PlainCallsOf("Delete"), vbLf)), CLng(3), "three series deleted"
CheckEqual UBound(Split(PlainCallsOf("ClearContents"), vbLf)), CLng(1), "the sheet cleared once"
CheckEqual LogEntries(), "", "nothing logged by members that succeed"

Set rs = Nothing
Set q = Nothing
CheckEqual Recorder().LiveObjects, CLng(0), "every host object was released"
Finish
