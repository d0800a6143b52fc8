// Starts the real application and talks to its web channel the way a page
// does: over a WebSocket to the port the application prints at start-up
// (ZELTO_PRINT_SERVER_PORT=1), with the qwebchannel client library.
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

// Resolves to { proc, port, output(), stop() } once the server port is known.
function startZelto({ recentFiles = [], timeoutMs = 60000 } = {}) {
    const settings = fs.mkdtempSync(path.join(os.tmpdir(), 'zelto-node-'));
    writeSettings(settings, recentFiles);
    const env = Object.assign({}, process.env, {
        ZELTO_SETTINGS_PATH: settings,
        ZELTO_PRINT_SERVER_PORT: '1',
    });
    if (!env.QT_QPA_PLATFORM)
        env.QT_QPA_PLATFORM = env.DISPLAY ? 'xcb' : 'offscreen';
    const proc = spawn(zeltoBinary(), ['-newinstance'], { env, stdio: ['ignore', 'pipe', 'pipe'] });
    let output = '';
    const exited = new Promise((resolve) => proc.on('exit', (code, signal) => resolve({ code, signal })));

    return new Promise((resolve, reject) => {
        const timer = setTimeout(() => reject(new Error('zelto printed no port:\n' + output)), timeoutMs);
        const onData = (chunk) => {
            output += chunk.toString();
            const match = /ZTServer port: (\d+)/.exec(output);
            if (match && timer) {
                clearTimeout(timer);
                resolve({
                    proc,
                    port: Number(match[1]),
                    settings,
                    exited,
                    output: () => output,
                    async stop() {
                        if (proc.exitCode === null && proc.signalCode === null) {
                            proc.kill('SIGTERM');
                            const killer = setTimeout(() => proc.kill('SIGKILL'), 10000);
                            await exited;
                            clearTimeout(killer);
                        }
                        fs.rmSync(settings, { recursive: true, force: true });
                    },
                });
            }
        };
        proc.stdout.on('data', onData);
        proc.stderr.on('data', onData);
        proc.on('error', (error) => { clearTimeout(timer); reject(error); });
        exited.then(({ code, signal }) => {
            clearTimeout(timer);
            reject(new Error(`zelto ended (${code}, ${signal}) before printing its port:\n${output}`));
        });
    });
}

// Resolves to { socket, objects } once the channel is initialised.
function connectChannel(port, options = {}) {
    return new Promise((resolve, reject) => {
        const socket = new WebSocket('ws://127.0.0.1:' + port, options);
        socket.on('error', reject);
        socket.on('unexpected-response', (req, res) => reject(new Error('handshake refused: ' + res.statusCode)));
        socket.on('open', () => {
            new QWebChannel(socket, (channel) => resolve({ socket, objects: channel.objects }));
        });
    });
}

// Promise wrapper for a web-channel method call (the reply is a callback).
function call(object, method, ...args) {
    return new Promise((resolve) => object[method](...args, resolve));
}

module.exports = { WebSocket, QWebChannel, startZelto, connectChannel, call, zeltoBinary };
