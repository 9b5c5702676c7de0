tell application "Finder"
    try
        return (sidebar width of Finder window id -5) as string
    on error
        return ""
    end try
end tell