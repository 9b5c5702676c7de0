tell application "Finder"
    set w to make new Finder window to (POSIX file "/Users/ann/A \"quoted\" name\\and\\\"both" as alias)
    return (id of w) as string
end tell