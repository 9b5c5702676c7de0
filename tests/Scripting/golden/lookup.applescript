tell application "Finder"
    try
        set w to Finder window id -5
        set wname to name of w
        try
            set wpath to POSIX path of (target of w as alias)
        on error
            set wpath to ""
        end try
        return wname & tab & wpath
    on error number -1728
        return ""
    end try
end tell