tell application "Finder"
    try
        close Finder window id -5
    end try
end tell