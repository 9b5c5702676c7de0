tell application "Finder"
    try
        set w to Finder window id -5
    on error
        return ""
    end try
    try
        set wpath to POSIX path of (target of w as alias)
    on error
        set wpath to ""
    end try
    set outList to {wpath, ""}
    try
        repeat with s in (get selection)
            set end of outList to POSIX path of (s as alias)
        end repeat
    end try
end tell
set AppleScript's text item delimiters to linefeed
set outText to outList as string
set AppleScript's text item delimiters to ""
return outText