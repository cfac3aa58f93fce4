% planestat demo: every function on real pictures, written as PNG figures to out/.
%
% Photographs: astronaut.png (NASA, public domain) and horse.png (public
% domain), both as shipped by Debian's python3-skimage package.
%
% Run from the repository root after the build:  addpath build/mex demo; planestat_demo

photos = "/usr/lib/python3/dist-packages/skimage/data";
outdir = "out";
if (! isfolder (outdir))
  mkdir (outdir);
end
% Headless plotting through gnuplot; its notes about windows and the photo's
% colour-profile notes from the image reader are not about planestat.
quiet = warning ("off", "all");
restore_warnings = onCleanup (@() warning (quiet));
graphics_toolkit ("gnuplot");
written = {};

function elapsed = report (name, what, elapsed)
  printf ("%-12s %-48s %8.3f s\n", name, what, elapsed);
end

% --- Three planes of a colour photograph ---------------------------------------
rgb = imread (fullfile (photos, "astronaut.png"));
[M, N, ~] = size (rgb);
R = double (rgb(:, :, 1));
G = double (rgb(:, :, 2));
B = double (rgb(:, :, 3));
printf ("photo: astronaut.png, %d x %d, planes 0..2 = red, green, blue\n\n", M, N);
weights = [1 1 1] / 3;

% name, threshold, label values (empty: a continuous map), their colours and meanings
threshold = 0.3;
maps = {
  "anchorfield", [-1 0.5 1], [0.85 0.25 0.2; 0.82 0.82 0.82; 0.2 0.45 0.9], ...
      {"red -1: textured, unlike or not normal", "grey 0.5: other, border", "blue 1: flat (deviation < 2)"};
  "vigorfield", [0.5 1], [0.85 0.25 0.2; 0.82 0.82 0.82], ...
      {"red 0.5: unlike, not normal and deviation > 2", "grey 1: other, 10-pixel border"};
  "vigorsheet", [], [], {"1 - distance of blue from its normal fit where the planes are unlike, 1 elsewhere"};
};
for i = 1:rows (maps)
  [name, levels, colours, meanings] = maps{i, :};
  tic;
  map = feval (name, R, G, B, M, N, weights, threshold);
  report (name, sprintf ("%dx%d map, threshold %.2f", M, N, threshold), toc);
  f = figure ("visible", "off", "position", [0 0 1200 520]);
  subplot (1, 2, 1);
  image (rgb); axis image off; title ("photo (planes: red, green, blue)");
  subplot (1, 2, 2);
  if (isempty (levels))
    imagesc (map); colormap (gca, viridis (64)); colorbar ();
  else
    [~, label] = ismember (map, levels);
    image (label); colormap (gca, colours);
  end
  axis image;
  set (gca, "xtick", [], "ytick", []);
  title (sprintf ("%s(R, G, B, %d, %d, [1 1 1]/3, %.1f)", name, M, N, threshold), "interpreter", "none");
  xlabel (strjoin (meanings, "  |  "));
  file = fullfile (outdir, [name ".png"]);
  print (f, "-dpng", "-r80", file);
  close (f);
  written{end + 1} = file;
end

% --- Two classifiers on a grid of points ---------------------------------------
[x, y] = meshgrid (4:20:N - 1, 4:20:M - 1);
points = [x(:), y(:)];
n = rows (points);
tic; fit_flags = stillcull (points, n, R, G, B, M, N, 0.05);
report ("stillcull", sprintf ("%d points, 41x41 windows, threshold 0.05", n), toc);
tic; mood_flags = moodcull (points, n, R, G, B, M, N, weights, 0.9);
report ("moodcull", sprintf ("%d points, 21x21 windows, threshold 0.9", n), toc);
f = figure ("visible", "off", "position", [0 0 1300 600]);
panels = {fit_flags, "stillcull: red 1 = blue histogram farther than 0.05 from its normal fit, green 2 = not";
          mood_flags, "moodcull: red 1 = planes unlike (weighted similarity < 0.9), green 2 = alike"};
for k = 1:2
  [flags, caption] = panels{k, :};
  subplot (1, 2, k);
  image (rgb); axis image off; hold on;
  one = flags == 1;
  plot (points(! one, 1) + 1, points(! one, 2) + 1, "o", "color", [0.2 0.9 0.2], "markersize", 4, "linewidth", 2);
  plot (points(one, 1) + 1, points(one, 2) + 1, "o", "color", [1 0.1 0.1], "markersize", 4, "linewidth", 2);
  title (caption);
end
file = fullfile (outdir, "classifiers.png");
print (f, "-dpng", "-r80", file);
close (f);
written{end + 1} = file;

% --- A silhouette's contour, resampled by direction -----------------------------
horse = imread (fullfile (photos, "horse.png"));
shape = horse(:, :, 1) < 128;             % the horse is dark on white
inner = shape(2:end - 1, 2:end - 1);
edge = inner & ! (shape(1:end - 2, 2:end - 1) & shape(3:end, 2:end - 1) & ...
                  shape(2:end - 1, 1:end - 2) & shape(2:end - 1, 3:end));
[r, c] = find (edge);
centre = [mean(c), mean(r)];
contour = [c - centre(1), centre(2) - r];  % x right, y up, about the centroid
tic; table = ringsample (contour, rows (contour));
report ("ringsample", sprintf ("%d contour points -> 360 directions", rows (contour)), toc);
moved = contour + [6 0];
tic; offset = driftgauge (contour, rows (contour), moved, rows (moved));
report ("driftgauge", "horse vs. itself moved 6 pixels right", toc);
t = (0:359)' * pi / 180;
circle = 100 * [cos(t), sin(t)];
offset_circle = driftgauge (contour, rows (contour), circle, rows (circle));
f = figure ("visible", "off", "position", [0 0 760 640]);
plot (contour(:, 1), contour(:, 2), ".", "color", [0.7 0.7 0.7], "markersize", 3); hold on;
plot (table(:, 1), table(:, 2), ".", "color", [0.1 0.3 0.9], "markersize", 9);
spokes = table(1:15:end, :);              % from the origin to every 15th degree's point
spokes_x = [zeros(rows (spokes), 1), spokes(:, 1), NaN(rows (spokes), 1)]';
spokes_y = [zeros(rows (spokes), 1), spokes(:, 2), NaN(rows (spokes), 1)]';
plot (spokes_x(:), spokes_y(:), "-", "color", [0.9 0.3 0.1]);
plot (0, 0, "k+", "markersize", 12);
axis equal;
legend ("contour pixels", "ringsample: the point nearest each whole degree", ...
        "every 15th degree", "origin (the centroid)", "location", "southoutside");
title (sprintf ("driftgauge: %.2f px to itself moved 6 px; %.2f px to a circle of radius 100", ...
                offset, offset_circle));
file = fullfile (outdir, "ringsample.png");
print (f, "-dpng", "-r80", file);
close (f);
written{end + 1} = file;

% --- Edge elements binned by direction -----------------------------------------
soft = conv2 (double (shape), ones (3) / 9, "same");
gx = conv2 (soft, [1 0 -1] / 2, "same");
gy = conv2 (soft, [1; 0; -1] / 2, "same");
on_edge = find (edge(:)) ;
[er, ec] = find (edge);
idx = sub2ind (size (soft), er + 1, ec + 1);
edgels = [gx(idx), -gy(idx)];             % y up, like the contour
edgels = edgels(1:3:end, :);              % a sparse set: most bins stay below 30 vectors
tic; vanes = rimvane (edgels, rows (edgels), 0.05);
report ("rimvane", sprintf ("%d edge elements, gap threshold 0.05", rows (edgels)), toc);
magnitude = hypot (vanes(:, 1), vanes(:, 2));
theta = (0:359)' * pi / 180;              % measured from +y toward +x
f = figure ("visible", "off", "position", [0 0 640 600]);
polar (pi / 2 - [theta; theta(1)], [magnitude; magnitude(1)], "b-");   % drawn in the vectors' own directions
title (sprintf ("rimvane: longest edge element per degree (%d of 360 bins non-zero)", nnz (magnitude)));
file = fullfile (outdir, "rimvane.png");
print (f, "-dpng", "-r80", file);
close (f);
written{end + 1} = file;

printf ("\nwrote:\n");
printf ("  %s\n", written{:});
