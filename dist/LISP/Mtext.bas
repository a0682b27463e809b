Attribute VB_Name = "MTEXT"
' MTEXT - search and replace in MTEXT and TEXT for Tessaline batch scripts.
'
' Run by the script lines
'     -VBARUN MTEXT.SearchAndReplace
'     <search text>
'     <replacement text>
' Both answers are read first, each a whole line with its blanks. Then every MTEXT and TEXT object
' of model space and of every layout gets each occurrence of the search text (upper and lower case
' count) replaced; the text put in is not searched again. An empty search text changes nothing. An
' object that cannot be changed (on a locked layer, for example) is passed over. One result line goes
' to the command line; no error stops the script.
Option Explicit

Public Sub SearchAndReplace()
    Dim searchFor As String
    Dim replaceWith As String
    Dim changed As Long
    Dim lay As Object
    Dim ent As Object
    Dim txt As String

    On Error Resume Next
    searchFor = ThisDrawing.Utility.GetString(True, vbLf & "Search for: ")
    replaceWith = ThisDrawing.Utility.GetString(True, vbLf & "Replace with: ")
    If Err.Number <> 0 Then
        Err.Clear
        ThisDrawing.Utility.Prompt vbLf & "MTEXT: the two answers could not be read." & vbLf
        Exit Sub
    End If
    If Len(searchFor) = 0 Then
        ThisDrawing.Utility.Prompt vbLf & "MTEXT: no search text, nothing changed." & vbLf
        Exit Sub
    End If

    For Each lay In ThisDrawing.Layouts
        For Each ent In lay.Block
            If ent.ObjectName = "AcDbMText" Or ent.ObjectName = "AcDbText" Then
                txt = ent.TextString
                If Err.Number = 0 And InStr(1, txt, searchFor, vbBinaryCompare) > 0 Then
                    ent.TextString = Replace(txt, searchFor, replaceWith, 1, -1, vbBinaryCompare)
                    If Err.Number = 0 Then changed = changed + 1
                End If
                Err.Clear
            End If
        Next ent
    Next lay
    ThisDrawing.Utility.Prompt vbLf & "MTEXT: " & changed & " text(s) changed." & vbLf
End Sub
