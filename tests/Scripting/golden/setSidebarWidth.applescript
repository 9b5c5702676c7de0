tell application "Finder"
    set sidebar width of Finder window id -5 to 0
end tell