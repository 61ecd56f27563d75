' chart.vbs: builds one chart with Quillet from VBScript and writes it as a GIF.
' Run with:  cscript //nologo chart.vbs [output.gif]
' Needs quillet.dll registered (regsvr32 quillet.dll) and a spreadsheet host that answers
' to "Excel.Application"; ADO's Recordset stands in for a database query here.
Option Explicit

Const adDouble = 5, adVarWChar = 202
Const xlColumnClustered = 51, msoGradientOcean = 7

Dim output, rs, q, months, north, south, i, result
If WScript.Arguments.Count > 0 Then output = WScript.Arguments(0) Else output = "C:\windows\temp\sales.gif"

' A recordset made up in memory: one row per month, two figures each. Every row is added
' first and then filled, which some ADO implementations need for fabricated recordsets.
months = Array("Jan", "Feb", "Mar", "Apr")
north = Array("12.5", "14", "9.75", "16")
south = Array("8", "11.25", "13", "10.5")
Set rs = CreateObject("ADODB.Recordset")
rs.Fields.Append "Month", adVarWChar, 20
rs.Fields.Append "North", adDouble, 8
rs.Fields.Append "South", adDouble, 8
rs.Open
For i = 0 To UBound(months)
    rs.AddNew
Next
rs.MoveFirst
For i = 0 To UBound(months)
    rs.Fields("Month").Value = CStr(months(i))
    rs.Fields("North").Value = CDbl(north(i))
    rs.Fields("South").Value = CDbl(south(i))
    rs.MoveNext
Next

Set q = CreateObject("Quillet.cQuillet")

' One series per column: name, data labels (any non-zero value), shading (True only).
q.AddDataSeries rs, "North", "North", True, True
q.AddDataSeries rs, "South", "South", False, False
' Headings come after the first series: the chart must have one to bind them to.
q.SetXAxisHeadings rs, "Month"

' Chart type and plot area (width, height); sizes of 50 or less keep the current size.
q.SetChartOptions xlColumnClustered, 600, 280
' The titles are passed by reference: they must be variables, not literals.
Dim mainTitle, xTitle, yTitle
mainTitle = "Sales by month"
xTitle = "Month"
yTitle = "k EUR"
q.SetChartTitles mainTitle, xTitle, yTitle
q.SetBackgroundEffect msoGradientOcean

' A failed export raises an error: catch it to say why.
On Error Resume Next
result = q.ExportToGif(output)
If Err.Number <> 0 Then
    WScript.Echo "Export failed: " & Err.Description & " (" & Hex(Err.Number) & ")"
    WScript.Quit 1
End If
On Error GoTo 0
WScript.Echo "Wrote " & output
Set q = Nothing
