tell application "Finder"
    set outList to {}
    repeat with i from 1 to count of Finder windows
        set w to Finder window i
        set wid to id of w
        set wname to name of w
        try
            set wpath to POSIX path of (target of w as alias)
        on error
            set wpath to "?"
        end try
        set b to bounds of w
        set end of outList to (wid as string) & tab & wname & tab & wpath & tab & ((item 1 of b) as string) & "," & ((item 2 of b) as string) & "," & ((item 3 of b) as string) & "," & ((item 4 of b) as string)
    end repeat
end tell
set AppleScript's text item delimiters to linefeed
set outText to outList as string
set AppleScript's text item delimiters to ""
return outText