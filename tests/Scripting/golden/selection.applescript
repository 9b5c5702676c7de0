tell application "Finder"
    set outList to {}
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