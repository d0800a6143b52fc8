// The welcome page's side of the web channel. The application publishes the
// object "ztwelcome" on a WebSocket server on the loopback interface; the
// page learns the port, the launch token the server asks for and the theme
// from its own address (?port=&token=&theme=).
(function () {
    "use strict";

    var TEXTS = {
        en: {
            tagline: "Create HTML5 animations for every screen",
            start: "Start",
            newProject: "New Project",
            openProject: "Open Project",
            resources: "Resources",
            learnMore: "Learn more about Zelto Rideved",
            recent: "Recent Projects",
            noRecent: "No recent projects yet. Create a new project or open one, and it will be listed here.",
            recentHelp: "Tab moves from project to project. Enter opens the project, Delete removes it from the list.",
            openEntry: "Open %1 in %2",
            showInFolder: "Show in folder",
            remove: "Remove",
            build: "Build %1",
            disconnected: "The connection to the application was lost."
        },
        de: {
            tagline: "HTML5-Animationen für jeden Bildschirm gestalten",
            start: "Start",
            newProject: "Neues Projekt",
            openProject: "Projekt öffnen",
            resources: "Hilfe und Informationen",
            learnMore: "Mehr über Zelto Rideved erfahren",
            recent: "Zuletzt geöffnete Projekte",
            noRecent: "Noch keine Projekte. Legen Sie ein neues Projekt an oder öffnen Sie eines, dann erscheint es hier.",
            recentHelp: "Die Tabulatortaste geht von Projekt zu Projekt. Eingabe öffnet das Projekt, Entf entfernt es aus der Liste.",
            openEntry: "%1 in %2 öffnen",
            showInFolder: "Im Ordner anzeigen",
            remove: "Entfernen",
            build: "Build %1",
            disconnected: "Die Verbindung zur Anwendung wurde unterbrochen."
        }
    };

    // What the page shows, readable by tests through runJavaScript.
    var state = window.zeltoWelcome = {
        connected: false,
        language: "en",
        theme: "dark",
        recent: [],
        buildNumber: "",
        focusAfterRender: -1
    };

    // The application calls this when the user picks another theme.
    state.setTheme = function (name) {
        state.theme = name === "Light" ? "light" : "dark";
        document.body.className = "theme-" + state.theme;
    };
    var welcome = null;

    function text(key) {
        return (TEXTS[state.language] || TEXTS.en)[key] || TEXTS.en[key];
    }

    // The text with %1, %2 ... filled in at once, so that a file name holding
    // "%2" or "$&" is shown as it is.
    function textWith(key) {
        var values = Array.prototype.slice.call(arguments, 1);
        return text(key).replace(/%([1-9])/g, function (placeholder, n) {
            return n <= values.length ? String(values[n - 1]) : placeholder;
        });
    }

    function applyTexts() {
        document.documentElement.lang = state.language;
        var nodes = document.querySelectorAll("[data-text]");
        for (var i = 0; i < nodes.length; ++i)
            nodes[i].textContent = text(nodes[i].getAttribute("data-text"));
        document.getElementById("build").textContent =
            state.buildNumber ? textWith("build", state.buildNumber) : "";
        renderRecent();
    }

    function fileName(path) {
        var parts = path.split(/[\\/]/);
        return parts[parts.length - 1] || path;
    }

    function folderOf(path) {
        var index = Math.max(path.lastIndexOf("/"), path.lastIndexOf("\\"));
        return index > 0 ? path.substring(0, index) : path;
    }

    function actionButton(className, label, handler) {
        var button = document.createElement("button");
        button.type = "button";
        button.className = "action " + className;
        button.textContent = label;
        // One stop per project for the Tab key: the entry's own keys do what
        // these buttons do.
        button.tabIndex = -1;
        button.addEventListener("click", function (event) {
            event.stopPropagation();   // the row itself opens the project
            handler();
        });
        return button;
    }

    function entries() {
        return Array.prototype.slice.call(document.querySelectorAll("#recentList .entry"));
    }

    function focusEntry(index) {
        var all = entries();
        if (all.length > 0)
            all[Math.max(0, Math.min(index, all.length - 1))].focus();
    }

    function removeEntry(path) {
        // The list is drawn again once the application took the entry away;
        // the focus goes to the entry that takes its place.
        state.focusAfterRender = entries().map(function (e) { return e.getAttribute("data-path"); }).indexOf(path);
        welcome.removeFile(path);
    }

    function renderRecent() {
        // The list is drawn anew whenever it changes: the entry that had the
        // focus keeps it, or the one that took its place gets it.
        var active = document.activeElement;
        var focusedPath = active && active.classList.contains("entry") ? active.getAttribute("data-path") : null;
        var focusIndex = state.focusAfterRender >= 0 ? state.focusAfterRender : entries().indexOf(active);
        state.focusAfterRender = -1;
        var list = document.getElementById("recentList");
        while (list.firstChild)
            list.removeChild(list.firstChild);
        state.recent.forEach(function (path) {
            var item = document.createElement("li");
            item.className = "project";
            item.title = path;
            item.setAttribute("data-path", path);

            // The part that opens the project: a button for the keyboard and
            // for screen readers, which hear the name and the folder.
            var entry = document.createElement("div");
            entry.className = "entry";
            entry.tabIndex = 0;
            entry.setAttribute("role", "button");
            entry.setAttribute("data-path", path);
            entry.setAttribute("aria-label", textWith("openEntry", fileName(path), folderOf(path)));
            entry.setAttribute("aria-describedby", "recentHelp");
            var icon = document.createElement("span");
            icon.className = "icon";
            icon.setAttribute("aria-hidden", "true");
            var info = document.createElement("div");
            info.className = "info";
            var name = document.createElement("span");
            name.className = "name";
            name.textContent = fileName(path);
            var folder = document.createElement("span");
            folder.className = "path";
            folder.textContent = folderOf(path);
            info.appendChild(name);
            info.appendChild(folder);
            entry.appendChild(icon);
            entry.appendChild(info);

            var actions = document.createElement("div");
            actions.className = "actions";
            actions.appendChild(actionButton("show", text("showInFolder"), function () {
                welcome.showInExplorer(path);
            }));
            actions.appendChild(actionButton("remove", text("remove"), function () {
                removeEntry(path);
            }));

            item.appendChild(entry);
            item.appendChild(actions);
            item.addEventListener("click", function () {
                // Absolute paths are used as they are; the application checks
                // that the file still exists and picks the project loader.
                welcome.openFile(path);
            });
            entry.addEventListener("keydown", function (event) {
                var index = entries().indexOf(entry);
                if (event.key === "Enter" || event.key === " ") {
                    event.preventDefault();
                    welcome.openFile(path);
                } else if (event.key === "Delete" || event.key === "Backspace") {
                    event.preventDefault();
                    removeEntry(path);
                } else if (event.key === "ArrowDown" || event.key === "ArrowUp") {
                    event.preventDefault();
                    focusEntry(index + (event.key === "ArrowDown" ? 1 : -1));
                }
            });
            list.appendChild(item);
        });
        document.getElementById("recentEmpty").hidden = state.recent.length > 0 || !state.connected;
        if (focusIndex < 0)
            return;
        var kept = entries().filter(function (e) { return e.getAttribute("data-path") === focusedPath; });
        if (kept.length > 0)
            kept[0].focus();
        else if (state.recent.length > 0)
            focusEntry(focusIndex);
        else
            document.getElementById("newProject").focus();
    }

    function showRecent(files) {
        state.recent = Array.isArray(files) ? files : [];
        renderRecent();
    }

    function loadRecent() {
        welcome.getRecentFileList(function (files) {
            showRecent(files);
            document.body.setAttribute("data-state", "ready");
        });
    }

    function showStatus(message) {
        var status = document.getElementById("status");
        status.textContent = message;
        status.className = message ? "status error" : "status";
    }

    //! [channel]
    function onChannel(channel) {
        welcome = channel.objects.ztwelcome;
        if (!welcome) {
            showStatus(text("disconnected"));
            return;
        }
        state.connected = true;
        showStatus("");
        welcome.resetRecentFiles.connect(loadRecent);
        // Every change of the list, whoever made it, arrives with the new list.
        welcome.recentFilesChanged.connect(function () {
            showRecent(welcome.recentFiles);
        });
        welcome.callbackAsyncfromJS("WelcomeScreen.getLocale", "", function (locale) {
            state.language = /^de/i.test(locale || "") ? "de" : "en";
            applyTexts();
        });
        welcome.callbackAsyncfromJS("WelcomeScreen.getBuildNumber", "", function (build) {
            state.buildNumber = build || "";
            applyTexts();
        });
        loadRecent();
    }
    //! [channel]

    //! [connect]
    function connect(port, token) {
        var socket = new WebSocket("ws://127.0.0.1:" + port + "/?token=" + encodeURIComponent(token));
        socket.onopen = function () {
            new QWebChannel(socket, onChannel);
        };
        socket.onclose = function () {
            state.connected = false;
            showStatus(text("disconnected"));
            document.body.setAttribute("data-state", "disconnected");
        };
    }
    //! [connect]

    function wireCommands() {
        //! [call]
        document.getElementById("newProject").addEventListener("click", function () {
            if (welcome)
                welcome.callbackTunnelAsync("File.New");
        });
        //! [call]
        document.getElementById("openProject").addEventListener("click", function () {
            if (welcome)
                welcome.callbackTunnelAsync("File.Open_Project");
        });
        // Links open in the user's browser, never inside the welcome view.
        document.addEventListener("click", function (event) {
            var link = event.target.closest ? event.target.closest("a[href]") : null;
            if (!link)
                return;
            event.preventDefault();
            if (welcome)
                welcome.openURL(link.href);
        });
    }

    document.addEventListener("DOMContentLoaded", function () {
        var query = new URLSearchParams(window.location.search);
        state.setTheme(query.get("theme"));
        applyTexts();
        wireCommands();
        var port = parseInt(query.get("port"), 10);
        if (port > 0 && port < 65536)
            connect(port, query.get("token") || "");
        else
            showStatus(text("disconnected"));
    });
}());
