// Latency of one web-channel call, getRecentFileList on "ztwelcome", from a
// Node.js client over loopback, against a plain WebSocket echo of a frame of
// the same size served by a QWebSocketServer (webchannel_echo) in the same run.
//   node bench.js [calls]      (ZELTO_BIN, ECHO_BIN point at the programs)
'use strict';

const path = require('node:path');
const { spawn } = require('node:child_process');
const harness = require(path.join(__dirname, '..', '..', 'tests', 'node', 'zelto'));
const { WebSocket, startZelto, connectChannel, call } = harness;

const CALLS = Number(process.argv[2] || 3000);
const BLOCK = 250;          // the two are measured in alternating blocks
const SETTLE_MS = 3000;     // the application loads its welcome page first
const RECENT = Array.from({ length: 10 }, (_, i) => `/home/user/Projekte/Animation ${i + 1}.zelto`);

function stats(samples, totalMs) {
    const sorted = samples.slice().sort((a, b) => a - b);
    const at = (q) => sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
    return { median: at(0.5), p99: at(0.99), perSecond: samples.length / (totalMs / 1000) };
}

async function block(roundTrip, samples) {
    const start = process.hrtime.bigint();
    for (let i = 0; i < BLOCK; ++i) {
        const t0 = process.hrtime.bigint();
        await roundTrip();
        samples.push(Number(process.hrtime.bigint() - t0) / 1e6);
    }
    return Number(process.hrtime.bigint() - start) / 1e6;
}

// Warms both up until the application has settled, then alternates blocks so
// that drift of the machine's load hits both alike.
async function measureBoth(channelTrip, echoTrip) {
    const warmEnd = Date.now() + SETTLE_MS;
    while (Date.now() < warmEnd) {
        await block(channelTrip, []);
        await block(echoTrip, []);
    }
    const channel = [];
    const echo = [];
    let channelMs = 0;
    let echoMs = 0;
    while (channel.length < CALLS) {
        channelMs += await block(channelTrip, channel);
        echoMs += await block(echoTrip, echo);
    }
    return { channel: stats(channel, channelMs), baseline: stats(echo, echoMs) };
}

function startEcho() {
    const bin = process.env.ECHO_BIN
        || path.join(process.env.ZELTO_BUILD_DIR || path.join(__dirname, '..', '..', 'build'),
                     'benchmarks', 'webchannel', 'webchannel_echo');
    const proc = spawn(bin, [], { stdio: ['ignore', 'pipe', 'inherit'] });
    return new Promise((resolve, reject) => {
        let out = '';
        proc.on('error', reject);
        proc.stdout.on('data', (chunk) => {
            out += chunk;
            const match = /Echo port: (\d+)/.exec(out);
            if (match)
                resolve({ proc, port: Number(match[1]) });
        });
    });
}

function echoClient(port) {
    return new Promise((resolve, reject) => {
        const socket = new WebSocket('ws://127.0.0.1:' + port);
        socket.on('error', reject);
        socket.on('open', () => resolve(socket));
    });
}

function fmt(x) {
    return x.toFixed(3).padStart(8);
}

(async () => {
    const app = await startZelto({ recentFiles: RECENT });
    const echo = await startEcho();
    try {
        const { socket, objects } = await connectChannel(app);
        const welcome = objects.ztwelcome;
        // The echo frame is as large as the channel's request and reply.
        const request = JSON.stringify({ type: 6, object: 'ztwelcome', method: 10, args: [], id: 123456 });
        const reply = JSON.stringify({ type: 10, id: 123456, data: RECENT });
        const frame = request.length > reply.length ? request : reply;

        const echoSocket = await echoClient(echo.port);
        let pending = null;
        echoSocket.on('message', () => pending());
        const echoRoundTrip = () => new Promise((resolve) => { pending = resolve; echoSocket.send(frame); });

        const { channel, baseline } = await measureBoth(() => call(welcome, 'getRecentFileList'), echoRoundTrip);

        console.log(`web channel round trip, ${CALLS} calls each, loopback`);
        console.log('                          median ms   p99 ms   calls/s');
        console.log(`echo (QWebSocketServer)   ${fmt(baseline.median)} ${fmt(baseline.p99)}  ${baseline.perSecond.toFixed(0).padStart(7)}`);
        console.log(`ztwelcome.getRecentFileList ${fmt(channel.median)} ${fmt(channel.p99)}  ${channel.perSecond.toFixed(0).padStart(7)}`);
        const ratio = channel.median / baseline.median;
        console.log(`median ratio channel/echo: ${ratio.toFixed(2)} (target <= 1.50)`);
        socket.close();
        echoSocket.close();
    } finally {
        echo.proc.kill('SIGTERM');
        await app.stop();
    }
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
