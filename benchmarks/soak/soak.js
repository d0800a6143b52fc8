// A soak run against a running zelto: bridge calls, connections opened and
// dropped, hand-over messages and open/edit/save/close cycles of a scene
// project, in the numbers below. Prints the application's resident memory at
// the start, after a warm-up and after each part; the goal is less than
// 5 MB of growth after the warm-up.
//   node soak.js [scale] [warm-up cycles]
//                             scale 0.1 runs a tenth of everything; the
//                             warm-up's project cycles are 2,000 by default
// run.sh starts it on Xvfb. The application is the one users get: a cycle
// opens a recent project (the page's openFile), changes it with the scene
// editor's own command (Scene.Add_Rectangle), saves, undoes the change
// (Edit.Undo), saves again and closes (File.Save, File.Close), all through
// the bridge's callbackTunnelAsync, so it takes the paths a user's clicks
// and keys take, and the projects keep their size however long it runs.
'use strict';

const crypto = require('node:crypto');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const harness = require(path.join(__dirname, '..', '..', 'tests', 'node', 'zelto'));
const { startZelto, connectChannel, call, delay } = harness;

const scale = Number(process.argv[2] || 1);
const counts = (n) => Math.max(1, Math.round(n * scale));
const WORK = { calls: counts(100000), connections: counts(10000), handovers: counts(1000), cycles: counts(1000) };
// The warm-up's project cycles fill Qt's pixmap cache (10 MB by default):
// every new editor window draws its icons and its docks' buttons under new
// cache keys, and the cache keeps them up to its limit, which takes about
// 2,000 cycles. Measured after fewer, that filling reads as growth.
const WARMUP = { calls: counts(5000), connections: counts(500), handovers: counts(50),
                 cycles: Number(process.argv[3] || counts(2000)) };
const IN_FLIGHT = 8;        // bridge calls a client keeps going at once
const SETTLE_MS = 2000;     // deferred deletions and the welcome page finish

function rssKb(pid) {
    const status = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
    return Number(/VmRSS:\s+(\d+)/.exec(status)[1]);
}

function mb(kb) {
    return (kb / 1024).toFixed(1) + ' MB';
}

// Two projects with an image each; cycles alternate between them.
function makeProjects(folder) {
    const png = Buffer.from('iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==', 'base64');
    fs.mkdirSync(path.join(folder, 'images'), { recursive: true });
    fs.writeFileSync(path.join(folder, 'images', 'soak.png'), png);
    return ['a', 'b'].map((name) => {
        const file = path.join(folder, `${name}.zelto`);
        const project = {
            format: 2, stage: { width: 640, height: 360, fps: 24 },
            scenes: [{ name: 'Soak', duration: 2, items: [
                { id: 'item1', type: 'rectangle', x: 0, y: 0, width: 50, height: 40,
                  keyframes: { opacity: [{ time: 0, value: 1 }, { time: 2, value: 0.5 }] } },
                { id: 'item2', type: 'image', x: 10, y: 10, width: 20, height: 20, image: 'images/soak.png' },
            ] }],
        };
        fs.writeFileSync(file, JSON.stringify(project));
        return file;
    });
}

async function bridgeCalls(welcome, n) {
    let next = 0;
    const worker = async () => {
        for (let i = next++; i < n; i = next++) {
            if (i % 2)
                await call(welcome, 'getRecentFileList');
            else
                await call(welcome, 'callbackAsyncfromJS', 'WelcomeScreen.getLocale', '');
        }
    };
    await Promise.all(Array.from({ length: IN_FLIGHT }, worker));
}

// Every other connection is dropped without a closing handshake.
async function connections(app, n) {
    for (let i = 0; i < n; ++i) {
        const { socket } = await connectChannel(app);
        const closed = new Promise((resolve) => socket.once('close', resolve));
        if (i % 2)
            socket.terminate();
        else
            socket.close();
        await closed;
    }
}

// The hand-over socket's name, as ExtensionSystem::SingleInstance makes it.
function handOverSocket(settingsFolder) {
    let user = (process.env.USER || process.env.USERNAME || '').replace(/[^A-Za-z0-9_.-]/g, '').slice(0, 32);
    if (!user)
        user = String(process.geteuid());
    const hash = crypto.createHash('sha1').update(path.resolve(settingsFolder), 'utf8').digest('hex').slice(0, 16);
    const base = process.env.XDG_RUNTIME_DIR || process.env.TMPDIR || os.tmpdir();
    for (const suffix of ['', '-1', '-2', '-3', '-4', '-5', '-6', '-7']) {
        const candidate = path.join(base, `zelto-${user}${suffix}`, `zelto-${hash}`);
        if (fs.existsSync(candidate))
            return candidate;
    }
    throw new Error('no hand-over socket of the application in ' + base);
}

// A message as ExtensionSystem::HandOverMessage::encode writes it.
function handOverMessage(options, workingDirectory, args) {
    const number = (n) => { const b = Buffer.alloc(4); b.writeUInt32BE(n); return b; };
    const text = (s) => {
        const utf16 = Buffer.from(s, 'utf16le').swap16();
        return Buffer.concat([number(utf16.length), utf16]);
    };
    const list = (l) => Buffer.concat([number(l.length), ...l.map(text)]);
    const payload = Buffer.concat([number(0x5A454C54), number(1), list(options), text(workingDirectory), list(args)]);
    return Buffer.concat([number(payload.length), payload]);
}

async function handOvers(socketPath, n) {
    const message = handOverMessage([], os.homedir(), []);
    for (let i = 0; i < n; ++i) {
        await new Promise((resolve, reject) => {
            const socket = net.connect(socketPath, () => socket.write(message));
            let answer = '';
            socket.on('data', (chunk) => {
                answer += chunk.toString();
                if (answer.includes('\n')) {
                    socket.end();
                    answer.startsWith('OK\n') ? resolve() : reject(new Error('hand-over answered ' + answer));
                }
            });
            socket.on('error', reject);
        });
    }
}

function itemCount(file) {
    return JSON.parse(fs.readFileSync(file, 'utf8')).scenes[0].items.length;
}

// Each save is read back: a command that did nothing (one that was renamed,
// or not routed to the editor) would otherwise pass unnoticed.
async function cycles(welcome, files, n) {
    for (let i = 0; i < n; ++i) {
        const file = files[i % files.length];
        const before = itemCount(file);
        await call(welcome, 'openFile', file);
        await call(welcome, 'callbackTunnelAsync', 'Scene.Add_Rectangle');
        await call(welcome, 'callbackTunnelAsync', 'File.Save');
        if (itemCount(file) !== before + 1)
            throw new Error(`cycle ${i}: the saved ${path.basename(file)} holds ${itemCount(file)} items, not ${before + 1}`);
        await call(welcome, 'callbackTunnelAsync', 'Edit.Undo');
        await call(welcome, 'callbackTunnelAsync', 'File.Save');
        if (itemCount(file) !== before)
            throw new Error(`cycle ${i}: undone and saved, ${path.basename(file)} holds ${itemCount(file)} items, not ${before}`);
        await call(welcome, 'callbackTunnelAsync', 'File.Close');
    }
}

async function main() {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'zelto-soak-'));
    const files = makeProjects(folder);
    const app = await startZelto({ recentFiles: files, newInstance: false });
    const rows = [];
    const note = async (label) => {
        await delay(SETTLE_MS);
        rows.push([label, rssKb(app.proc.pid)]);
        console.log(`${label.padEnd(48)} ${mb(rows[rows.length - 1][1])}`);
    };
    try {
        const socketPath = handOverSocket(app.settings);
        const { objects } = await connectChannel(app);
        const welcome = objects.ztwelcome;
        await note('start');

        const parts = [
            ['bridge calls', 'calls', (n) => bridgeCalls(welcome, n)],
            ['connections', 'connections', (n) => connections(app, n)],
            ['hand-overs', 'handovers', (n) => handOvers(socketPath, n)],
            ['project cycles', 'cycles', (n) => cycles(welcome, files, n)],
        ];
        const run = async (amounts, suffix) => {
            for (const [name, key, part] of parts) {
                const t0 = Date.now();
                await part(amounts[key]);
                const seconds = ((Date.now() - t0) / 1000).toFixed(1);
                await note(`${amounts[key]} ${name}${suffix} (${seconds} s)`);
            }
        };
        await run(WARMUP, ' (warm-up)');
        const warm = rows[rows.length - 1][1];
        await run(WORK, '');
        const end = rows[rows.length - 1][1];

        console.log(`\nRSS at start ${mb(rows[0][1])}, after warm-up ${mb(warm)}, at the end ${mb(end)}: ` +
                    `growth after warm-up ${mb(end - warm)} (goal: below 5 MB)`);
        process.exitCode = end - warm < 5 * 1024 ? 0 : 1;
    } finally {
        await app.stop();
        fs.rmSync(folder, { recursive: true, force: true });
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(2);
});
