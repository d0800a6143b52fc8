// How much log malformed web-channel frames make the application write: a
// client with the launch token sends frames of every kind the channel would
// complain about, and the bytes zelto writes to stdout and stderr meanwhile
// are counted.
//   node flood.js [frames]      (ZELTO_BIN points at the program; run.sh's set-up)
'use strict';

const path = require('node:path');
const harness = require(path.join(__dirname, '..', '..', 'tests', 'node', 'zelto'));
const { WebSocket, startZelto, bridgeUrl, delay } = harness;

const FRAMES = Number(process.argv[2] || 10000);

function nested(depth, inner) {
    return '{"a":'.repeat(depth) + inner + '}'.repeat(depth);
}

// The kinds are sent in turn.
const KINDS = [
    ['nested objects without a type', nested(1000, '1')],
    ['unknown object, long name',
        JSON.stringify({ type: 6, object: 'o'.repeat(100000), method: 0, args: [], id: 1 })],
    ['unknown method, long name',
        JSON.stringify({ type: 6, object: 'ztwelcome', method: 'm'.repeat(100000), args: [], id: 1 })],
    ['unknown method index', JSON.stringify({ type: 6, object: 'ztwelcome', method: 9999, args: [], id: 1 })],
    ['arguments of the wrong kind',
        '{"type":6,"object":"ztwelcome","method":"callbackAsyncfromJS","args":[' + nested(200, '"x"')
        + ',[1,2,3]],"id":1}'],
    ['debug message', JSON.stringify({ type: 5, data: 'd'.repeat(100000) })],
    ['unknown property', JSON.stringify({ type: 9, object: 'ztwelcome', property: 4242, value: 'v'.repeat(10000) })],
    ['unknown signal', JSON.stringify({ type: 7, object: 'ztwelcome', signal: 4242 })],
    ['init without an id', JSON.stringify({ type: 3, junk: 'j'.repeat(10000) })],
    ['unknown type', JSON.stringify({ type: 99, object: 'ztwelcome', x: 'u'.repeat(10000) })],
    ['not JSON', 'n'.repeat(10000)],
    ['not an object', '[' + '1,'.repeat(5000) + '1]'],
];

function open(app) {
    return new Promise((resolve, reject) => {
        const socket = new WebSocket(bridgeUrl(app.port, app.token));
        socket.on('error', reject);
        socket.on('open', () => resolve(socket));
    });
}

// Resolves once the application answered a call sent after everything else:
// it has read every frame before it.
function roundTrip(socket, id) {
    return new Promise((resolve) => {
        const onMessage = (data) => {
            if (JSON.parse(data.toString()).id === id) {
                socket.off('message', onMessage);
                resolve();
            }
        };
        socket.on('message', onMessage);
        socket.send(JSON.stringify({ type: 3, id }));
    });
}

(async () => {
    const app = await startZelto({ keepOutput: false });
    try {
        const socket = await open(app);
        await roundTrip(socket, 1);
        await delay(2000);   // the start-up's own lines
        const before = app.outputBytes();
        let sentBytes = 0;
        const started = Date.now();
        for (let i = 0; i < FRAMES; ++i) {
            const frame = KINDS[i % KINDS.length][1];
            sentBytes += frame.length;
            socket.send(frame);
            // Keep the client's buffer small; the server reads as fast as it can.
            while (socket.bufferedAmount > 4 * 1024 * 1024)
                await delay(5);
            if (socket.readyState !== WebSocket.OPEN)
                throw new Error('the application closed the connection after ' + i + ' frames');
        }
        await roundTrip(socket, 2);
        const seconds = (Date.now() - started) / 1000;
        await delay(1000);
        const logged = app.outputBytes() - before;
        socket.close();
        console.log(`${FRAMES} malformed frames (${KINDS.length} kinds in turn, ${(sentBytes / 1048576).toFixed(1)} MiB) `
                    + `in ${seconds.toFixed(1)} s`);
        console.log(`log written meanwhile: ${logged} bytes (${(logged / 1048576).toFixed(2)} MiB); goal < 1 MiB`);
    } finally {
        await app.stop();
    }
})().catch((error) => {
    console.error(error);
    process.exit(1);
});
