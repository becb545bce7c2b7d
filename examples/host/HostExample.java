import com.talvora.lumeko.sdk.BitmapInfo;
import com.talvora.lumeko.sdk.JNIStatus;
import com.talvora.lumeko.sdk.JNIWrapper;
import com.talvora.lumeko.sdk.Paper;
import com.talvora.lumeko.sdk.PrintSettings;
import com.talvora.lumeko.sdk.PrinterObserver;
import java.awt.image.BufferedImage;
import java.io.ByteArrayOutputStream;
import java.io.File;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import javax.imageio.ImageIO;

/**
 * A host's view of the library: a PNG picture printed once to a simulated printer and once to a
 * print file, both turned back into preview pictures.
 *
 * <p>Arguments: PICTURE.png OUTPUT_DIR. System properties: lumeko.library (the library's path)
 * and lumeko.streamPicture (the program that turns a job stream into page pictures).
 */
public final class HostExample {
    static final int MODEL = 24;
    static final int PORT_USB = 1;

    /** A ready printer on the USB port that keeps every byte it is sent. */
    static final class SimulatedPrinter extends PrinterObserver {
        final ByteArrayOutputStream received = new ByteArrayOutputStream();

        @Override
        public boolean sendDataToPrinter(int length, byte[] data) {
            received.write(data, 0, length);
            return true;
        }

        @Override
        public boolean sendAsynchronousDataToPrinter(int length, byte[] data) {
            return sendDataToPrinter(length, data);
        }

        @Override
        public boolean sendDataReceiveDataToPrinter(int length, byte[] data, int replyLength) {
            received.write(data, 0, length);
            receive_data = new byte[replyLength];
            return true;
        }

        @Override
        public int receiveDataToPrinter(int length, boolean flag) {
            receive_data = new byte[length];
            return 0;
        }

        @Override
        public boolean sendStringToPrinter(String text) {
            return true;
        }

        @Override
        public boolean sendStringReceiveDataToPrinter(String request, int replyLength) {
            return false;
        }

        @Override
        public boolean sendStringReceiveStringToPrinter(String request) {
            return false;
        }

        @Override
        public boolean isAliveSendAsynchronous() {
            return false;
        }

        @Override
        public boolean resetPrinterResultErrorCodeIfCommunicationError() {
            return true;
        }

        @Override
        public boolean sendMessage(int code) {
            return true;
        }
    }

    public static void main(String[] args) throws Exception {
        Path picture = Paths.get(args.length > 0 ? args[0] : "examples/host/picture.png");
        Path out = Paths.get(args.length > 1 ? args[1] : "host-example");
        Files.createDirectories(out);
        JNIWrapper lumeko = new JNIWrapper();

        // The picture's pixels, as 0xAARRGGBB ints, into a pixel file.
        BufferedImage image = ImageIO.read(picture.toFile());
        int width = image.getWidth();
        int height = image.getHeight();
        int[] argb = image.getRGB(0, 0, width, height, null, 0, width);
        Path pixels = out.resolve("picture.rgb");
        if (lumeko.writeByteInFile(argb, argb.length, pixels.toString(), false) != 1) {
            throw new IllegalStateException("cannot write " + pixels);
        }
        BitmapInfo bitmap = new BitmapInfo(pixels.toString(), width, height);

        // Model, port and options: the widest tape, the picture fitted to its printable area.
        PrintSettings settings = new PrintSettings();
        settings.modelId = MODEL;
        settings.portId = PORT_USB;
        lumeko.initJNI(settings);
        settings.paperId = widestPaper(lumeko.getPaperList());
        settings.printMode = 2;
        settings.skipStatusCheck = true;
        settings.checkPrintEnd = 1;
        settings.closeWaitDisusingStatusCheckSec = 0;
        lumeko.initJNI(settings);

        SimulatedPrinter printer = new SimulatedPrinter();
        JNIStatus printed = lumeko.printBitmapJNI(bitmap, printer);
        Path sent = out.resolve("sent.bin");
        Files.write(sent, printer.received.toByteArray());

        Path prn = out.resolve("job.prn");
        settings.savePrnPath = prn.toString();
        lumeko.initJNI(settings);
        JNIStatus saved = lumeko.printBitmapJNI(bitmap, new SimulatedPrinter());

        Path sentPreview = preview(sent, settings.paperId, out.resolve("printer-preview"));
        Path filePreview = preview(prn, settings.paperId, out.resolve("file-preview"));

        System.out.println("printer status code: " + printed.errorCode);
        System.out.println("print file status code: " + saved.errorCode);
        System.out.println("print file: " + prn);
        System.out.println("preview of the page the printer received: " + sentPreview);
        System.out.println("preview of the print file: " + filePreview);
        System.out.println("previews identical: " + (Files.mismatch(sentPreview, filePreview) < 0));
    }

    /** The id of the paper with the widest printable area. */
    static int widestPaper(Paper[] papers) {
        Paper widest = papers[0];
        for (Paper p : papers) {
            if (p.printableWidthDots > widest.printableWidthDots) {
                widest = p;
            }
        }
        return widest.paperId;
    }

    /** Preview pixels per printer dot, each way. */
    static final int ZOOM = 4;

    /** The first page of a job stream as a PNG picture, ZOOM x ZOOM pixels per dot. */
    static Path preview(Path stream, int paperId, Path prefix) throws Exception {
        ProcessBuilder pb = new ProcessBuilder(System.getProperty("lumeko.streamPicture"),
                "" + MODEL, "" + paperId, stream.toString(), prefix.toString());
        pb.environment().remove("LD_PRELOAD");
        pb.inheritIO();
        if (pb.start().waitFor() != 0) {
            throw new IllegalStateException("cannot decode " + stream);
        }
        Path pbm = Paths.get(prefix + "-0.pbm");
        Path png = Paths.get(prefix + ".png");
        ImageIO.write(readPbm(Files.readAllBytes(pbm)), "png", new File(png.toString()));
        return png;
    }

    /** A binary PBM (P4) picture: header "P4", width, height, then rows of packed bits. */
    static BufferedImage readPbm(byte[] data) {
        int[] pos = {0};
        String magic = token(data, pos);
        if (!magic.equals("P4")) {
            throw new IllegalArgumentException("not a binary PBM picture");
        }
        int width = Integer.parseInt(token(data, pos));
        int height = Integer.parseInt(token(data, pos));
        int at = pos[0] + 1;
        int rowBytes = (width + 7) / 8;
        BufferedImage image =
                new BufferedImage(width * ZOOM, height * ZOOM, BufferedImage.TYPE_BYTE_BINARY);
        for (int y = 0; y < height * ZOOM; ++y) {
            for (int x = 0; x < width * ZOOM; ++x) {
                int i = at + (y / ZOOM) * rowBytes + (x / ZOOM) / 8;
                boolean dot = i < data.length && (data[i] & (0x80 >> ((x / ZOOM) % 8))) != 0;
                image.setRGB(x, y, dot ? 0xFF000000 : 0xFFFFFFFF);
            }
        }
        return image;
    }

    static String token(byte[] data, int[] pos) {
        while (pos[0] < data.length && Character.isWhitespace(data[pos[0]])) {
            ++pos[0];
        }
        int start = pos[0];
        while (pos[0] < data.length && !Character.isWhitespace(data[pos[0]])) {
            ++pos[0];
        }
        return new String(data, start, pos[0] - start);
    }
}
