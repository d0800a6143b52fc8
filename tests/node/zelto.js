// Starts the real application and talks to its web channel the way a page
// does: over a WebSocket, with the qwebchannel client library. The port and
// the launch token come from the connection file the application writes to
// <runtime folder>/zelto-rideved/bridge-<pid>.json.
'use strict';

const { spawn, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

// node_modules comes from the lock file; installed on first use.
function ensureModules() {
    if (!fs.existsSync(path.join(__dirname, 'node_modules', 'ws'))) {
        const result = spawnSync('npm', ['ci', '--no-audit', '--no-fund'], { cwd: __dirname, stdio: 'inherit' });
        if (result.status !== 0)
            throw new Error('npm ci failed in ' + __dirname);
    }
}
ensureModules();

const WebSocket = require('ws');
const { QWebChannel } = require('qwebchannel');

function zeltoBinary() {
    if (process.env.ZELTO_BIN)
        return process.env.ZELTO_BIN;
    const build = process.env.ZELTO_BUILD_DIR || path.join(__dirname, '..', '..', 'build');
    return path.join(build, 'bin', 'zelto');
}

// A value as QSettings writes it to an INI file: quoted, with characters
// outside ASCII as \x escapes (a hex digit right after one is escaped too,
// or it would be read as part of it).
function iniValue(text) {
    let out = '"';
    let escapeNextHex = false;
    for (const ch of text) {
        const code = ch.codePointAt(0);
        if (code > 0x7e || code < 0x20 || (escapeNextHex && /[0-9a-fA-F]/.test(ch))) {
            out += '\\x' + code.toString(16);
            escapeNextHex = true;
            continue;
        }
        escapeNextHex = false;
        out += (ch === '"' || ch === '\\') ? '\\' + ch : ch;
    }
    return out + '"';
}

// Writes the user settings the application reads at start-up.
function writeSettings(folder, recentFiles) {
    const dir = path.join(folder, 'PELUM');
    fs.mkdirSync(dir, { recursive: true });
    const quoted = recentFiles.map(iniValue);
    const lines = ['[Designer]', 'Seen=true', '', '[Zelto]'];
    if (recentFiles.length === 1)
        lines.push('RecentProjects=' + quoted[0]);
    else if (recentFiles.length > 1)
        lines.push('RecentProjects=' + quoted.join(', '));
    fs.writeFileSync(path.join(dir, 'ZeltoRideved.ini'), lines.join('\n') + '\n');
}

// The user's runtime folder as Qt finds it on Linux.
function runtimeFolder() {
    return process.env.XDG_RUNTIME_DIR || path.join(os.tmpdir(), 'runtime-' + os.userInfo().username);
}

function connectionFile(pid) {
    return path.join(runtimeFolder(), 'zelto-rideved', `bridge-${pid}.json`);
}

function delay(ms) {
    return new Promise((resolve) => setTimeout(resolve, ms));
}

// Resolves to { proc, port, token, output(), outputBytes(), stop() } once the
// application has written its connection file. Without newInstance it also
// listens for hand-overs from other instances; env adds to the environment.
// keepOutput false only counts the bytes written (for floods of them).
function startZelto({ recentFiles = [], timeoutMs = 60000, newInstance = true, env: extra = {},
                      keepOutput = true } = {}) {
    const settings = fs.mkdtempSync(path.join(os.tmpdir(), 'zelto-node-'));
    writeSettings(settings, recentFiles);
    const env = Object.assign({}, process.env, extra, { ZELTO_SETTINGS_PATH: settings });
    if (!env.QT_QPA_PLATFORM)
        env.QT_QPA_PLATFORM = env.DISPLAY ? 'xcb' : 'offscreen';
    const args = newInstance ? ['-newinstance'] : [];
    const proc = spawn(zeltoBinary(), args, { env, stdio: ['ignore', 'pipe', 'pipe'] });
    let output = '';
    let outputBytes = 0;
    const collect = (chunk) => {
        outputBytes += chunk.length;
        if (keepOutput)
            output += chunk.toString();
    };
    proc.stdout.on('data', collect);
    proc.stderr.on('data', collect);
    const exited = new Promise((resolve) => proc.on('exit', (code, signal) => resolve({ code, signal })));
    const started = new Promise((resolve, reject) => {
        proc.on('spawn', resolve);
        proc.on('error', reject);
    });
    let ended = null;
    exited.then((result) => { ended = result; });

    return started.then(async () => {
        const file = connectionFile(proc.pid);
        const end = Date.now() + timeoutMs;
        while (!fs.existsSync(file)) {
            if (ended)
                throw new Error(`zelto ended (${ended.code}, ${ended.signal}) before writing ${file}:\n${output}`);
            if (Date.now() > end)
                throw new Error(`zelto wrote no ${file}:\n${output}`);
            await delay(20);
        }
        // Written in one step: once it exists it is complete.
        const { port, token } = JSON.parse(fs.readFileSync(file, 'utf8'));
        return {
            proc,
            port,
            token,
            connectionFile: file,
            settings,
            exited,
            output: () => output,
            outputBytes: () => outputBytes,
            async stop() {
                if (proc.exitCode === null && proc.signalCode === null) {
                    proc.kill('SIGTERM');
                    const killer = setTimeout(() => proc.kill('SIGKILL'), 10000);
                    await exited;
                    clearTimeout(killer);
                }
                // A killed application leaves its connection file behind.
                fs.rmSync(file, { force: true });
                fs.rmSync(settings, { recursive: true, force: true });
            },
        };
    });
}

// The server's address; without a token the server closes the connection.
function bridgeUrl(port, token) {
    return `ws://127.0.0.1:${port}/` + (token === undefined ? '' : '?token=' + encodeURIComponent(token));
}

// Resolves to { socket, objects } once the channel is initialised. app holds
// the port and the token (startZelto's result); options go to the WebSocket.
function connectChannel(app, options = {}) {
    return new Promise((resolve, reject) => {
        const socket = new WebSocket(bridgeUrl(app.port, app.token), options);
        socket.on('error', reject);
        socket.on('unexpected-response', (req, res) => reject(new Error('handshake refused: ' + res.statusCode)));
        socket.on('close', (code) => reject(new Error('closed by the application: ' + code)));
        socket.on('open', () => {
            new QWebChannel(socket, (channel) => resolve({ socket, objects: channel.objects }));
        });
    });
}

// Promise wrapper for a web-channel method call (the reply is a callback).
function call(object, method, ...args) {
    return new Promise((resolve) => object[method](...args, resolve));
}

module.exports = { WebSocket, QWebChannel, startZelto, bridgeUrl, connectChannel, call, delay, zeltoBinary };
